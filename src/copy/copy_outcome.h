// What a folder copy did: completed, cancelled, refused before it wrote
// anything, or finished with failures, each naming a file and why. The
// copy words nothing itself; the caller tells the user (gamedata/CopyWords.h).
#pragma once

#include "platform/status.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orr::platform {

enum class CopyReason {
    accessDenied,  // permissions, a read-only medium, a file where a folder belongs
    inUse,         // another program holds the file
    diskFull,
    pathTooLong,
    readError,     // the source could not be read
    writeError,    // the destination could not be written
    notFound,      // the source went away during the copy
    sameFile,      // the destination is the source itself, by another path
    differs,       // what was written reads back different from the source
    targetUnlisted,  // the destination folder could not be read, so nothing there was replaced
    caseTwins,     // another file's name differs only in letter case, and the drive cannot hold both
    noAnswer,      // a file operation did not come back: the drive stopped answering
    changed,       // a backup's file read other than its manifest lists it, after it was checked
};

struct CopyFailure {
    std::string path;  // the source entry, as a Windows path
    CopyReason reason;
};

// Why a copy wrote nothing, as data: the caller words it.
struct CopyRefusal {
    enum class Kind {
        none,
        pathInvalid,         // the source or destination is no valid path
        sourceNotMade,       // a missing source folder could not be made (`path`)
        sourceMissing,       // the source is not a folder (`path`)
        sourceUnreadable,    // the source's real place could not be read (`path`)
        destinationInvalid,  // no existing folder above the destination
        sameFolder,          // the copy would land on its source
        destinationInside,   // the destination lies inside the source
        keepInvalid,         // the keep folder is no valid path (`path`)
        roomShort,           // the drive `path` has `free` bytes; the copy needs `need`
    };
    Kind kind = Kind::none;
    std::string source;  // the copied folder, as given
    std::string path;    // the folder or drive concerned, as a Windows path
    std::uint64_t need = 0, free = 0;
    Status error = Status::ok;  // the system's answer, where one was the cause

    explicit operator bool() const { return kind != Kind::none; }
};

struct CopyOutcome {
    enum class Result { completed, cancelled, failed, refused };
    Result result = Result::completed;
    // `refused`: why nothing was written.
    CopyRefusal refusal;
    std::vector<CopyFailure> failures;
    // Folder links (junctions, folder symbolic links) that were not entered.
    std::vector<std::string> skipped;
    std::uint64_t files = 0;  // files written, each read back and verified
    std::uint64_t bytes = 0;
    // Files whose target already held the same bytes, left unwritten.
    std::uint64_t unchanged = 0;
    // Replaced files of the destination that were kept (CopyOptions).
    std::uint64_t kept = 0;
    // Kept files that could be put neither in their place nor back: each
    // game file (its Windows path in the destination) is now only in the
    // keep folder, at `keptAs` (a Windows path). Counted in `kept` too.
    struct Stranded {
        std::string path, keptAs;
    };
    std::vector<Stranded> stranded;
    // The SHA-256 of each file written or found unchanged, by its path
    // below the destination folder ("UserData\Houses\House01.iff").
    struct FileDigest {
        std::string path;
        std::array<std::uint8_t, 32> digest;
    };
    std::vector<FileDigest> digests;

    bool completed() const { return result == Result::completed; }
};

}  // namespace orr::platform
