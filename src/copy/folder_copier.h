// Whole-folder copies with the shell's contract: the folder lands under its
// own name inside the destination folder, merges with what is there,
// replaces same-named files (read-only ones too) without asking, creates
// missing folders, copies hidden and system files and keeps modification
// times and attributes; a folder is never copied into itself.
#pragma once

#include "copy_outcome.h"
#include "manifest.h"
#include "platform/events.h"
#include "platform/progress_dialog.h"
#include "platform/filesystem.h"
#include "platform/windows_path.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orr::platform {

class FaultPlan;

// A copy's place in a run of copies that shows as one progress: the files
// and bytes (RoomNeed's `files` and `bytes`) of the copies before it and
// of the whole run. A total of 0: the copy shows alone.
struct RunShare {
    std::uint64_t filesBefore = 0, filesTotal = 0;
    std::uint64_t bytesBefore = 0, bytesTotal = 0;
    // The run's last copy: the display ends with it. An earlier copy leaves
    // it up for the next, unless it was cancelled.
    bool last = true;
};

// One folder copy of this program's own, the same on every OS: the source
// is listed whole first (links not followed), room on the destination is
// checked before anything is written, then each file is written under a
// temporary name beside its target and renamed over it only once it is
// complete, so no target is ever left half-written. It goes on past a file
// that fails and returns what happened; it shows no message itself.
struct CopyOptions {
    // Source files (full Windows paths) to leave out, letter case ignored.
    std::vector<std::string> leaveOut;
    // Where a replaced file of the destination is kept, when not empty: the
    // folder that stands for the landing folder (destination\<name>); each
    // replaced file goes there under its path below the landing folder.
    // The keeping costs no copy: the file gets a second name on the same
    // drive, or is moved.
    std::string keepReplacedIn;
    // When set, asked between files (after events ran): true stops the copy
    // as a cancel from its progress display would. The run that owns the
    // flag sets it from a handler (the wizard's Cancel, its frame closing).
    const std::atomic<bool>* stop = nullptr;
    // How long a stopped copy waits, events running, for a file operation
    // still under way (a drive pulled out may never answer); then it ends,
    // that file failed as `noAnswer`, and the copier waits for it when it
    // is destroyed.
    std::chrono::milliseconds giveUpAfter{30000};
    // Where the copy stands in its run, for the progress display.
    RunShare share;
};

// What one copy would take on its destination's drive, found without
// writing anything: the run adds up the copies that go to one drive and
// checks them against its free space once, before the first is written.
struct RoomNeed {
    // Equal for two copies onto the same drive (its volume identity, or
    // the drive as written where that cannot be read).
    std::string volume;
    std::string volumeText;    // "D:\" as messages name the drive
    std::uint64_t write = 0;   // bytes the copy writes there, on disk
    std::uint64_t freed = 0;   // bytes that replacing files frees (0 when they are kept)
    std::uint64_t largest = 0; // the largest single file, on disk
    std::uint64_t files = 0;   // the files (and links) the copy goes through
    std::uint64_t bytes = 0;   // their sizes, as its progress counts them
    std::optional<std::uint64_t> free;  // free bytes now; nothing when unknown
};

// A drive that is too small for what the copies onto it need together
// (write less freed, plus the largest file and a margin), or nothing.
struct RoomShort {
    std::string volumeText;
    std::uint64_t free = 0;
    std::uint64_t need = 0;
};
std::optional<RoomShort> roomShort(const std::vector<RoomNeed>& needs);

class FolderCopier {
public:
    virtual ~FolderCopier() = default;
    // Copies `source` (a folder, no trailing separator) into the folder
    // `destination`, landing as destination\<source's name>. Never throws
    // for failures of the copy; what the event pump raises (the program
    // ending) passes through, after the file being written is cleared.
    virtual CopyOutcome copyFolder(std::string_view source, std::string_view destination,
                                   const CopyOptions& options = {}) = 0;
    // What copyFolder(source, destination, options) would need on the
    // destination's drive, without writing anything. A source or
    // destination that cannot be resolved gives a need of 0 (the copy
    // itself then refuses).
    virtual RoomNeed measure(std::string_view source, std::string_view destination,
                             const CopyOptions& options = {}) = 0;

    // Writes the manifest file `manifest` of `folder`: every file below its
    // subfolders `sets`; digests in `known` (paths below `folder`) are taken
    // as they are, other files are read. Written under a temporary name and
    // renamed into place. False when it could not be written.
    virtual bool writeManifest(std::string_view folder, const std::vector<std::string>& sets,
                               const std::vector<CopyOutcome::FileDigest>& known, std::string_view manifest) = 0;
    // Reads every file the manifest lists below `folder` and compares it.
    // Events run between files, as during a copy; `stop` as in CopyOptions.
    // Files below the subfolders `skipSets` are neither read nor listed.
    virtual VerifyOutcome verify(std::string_view folder, std::string_view manifest,
                                 const std::atomic<bool>* stop = nullptr,
                                 const std::vector<std::string>& skipSets = {}) = 0;
};

// The name of the copy's `n`th temporary file (n from 1) in a run marked
// `run`: "~orrindale-" then the run as 16 hexadecimal digits, "-", n,
// ".tmp". No user would write that; a copy checks the name is free anyway.
std::string copyTemporaryName(std::uint64_t run, unsigned n);
// A fresh run mark, drawn at random: two runs share one by chance only.
std::uint64_t newCopyRun();
// Whether `name` is exactly of that form: a leftover of a copy that lost
// its power, which a copy clears in the folders it writes to. Any other
// name (an older "~orrindale-3.tmp" too) is a user's file like any other.
bool isCopyTemporary(std::string_view name);
// A small file written whole (the descriptor, the log): `fill` writes a
// fresh temporary beside `target` (a run-marked name; leftovers of that form
// in the folder are removed first) and answers whether it holds what it
// should; only then is it renamed over `target`, so readers see the old
// file or the new one, never a part. A `fill` that answers false or throws
// RunError, or a rename that fails, leaves `target` as it was; the
// temporary is removed, and `leftover` names it when even that failed.
struct WholeWrite {
    bool written = false;
    std::string leftover;
    explicit operator bool() const { return written; }
};
WholeWrite writeWhole(FileSystem& files, const std::string& target,
                      const std::function<bool(const std::string& temporary)>& fill);

// The copy over this OS's own file operations. `events` runs pending
// window events as the copy starts and about every 100 ms between files
// when there is no `progress` display (which then does it). `faults`, when
// given, is put in front of every file operation.
std::unique_ptr<FolderCopier> makeFolderCopier(FileSystem& files, EventPump& events, CopyProgress* progress,
                                         FaultPlan* faults = nullptr);

}  // namespace orr::platform
