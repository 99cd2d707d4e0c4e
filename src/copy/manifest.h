// A backup's manifest, in the format `sha256sum --check` reads: one line a
// file, the SHA-256 in hexadecimal, two spaces, the path below the backup
// folder with "/" separators, lines in order of their paths.
#pragma once

#include "copy_outcome.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orr::platform {

// Paths in `digests` use "\" (as copies record them); the text uses "/".
// The text goes to `write` a piece at a time, so that a large manifest is
// never whole in memory; false from `write` stops it, and is returned.
bool manifestText(std::vector<CopyOutcome::FileDigest> digests, const std::function<bool(std::string_view)>& write);
// Nothing when a line is not of the format. Paths come out as pathBelow()
// gives them, so that a file is known by the same text wherever it is
// looked for (the check, the files a restore leaves out).
std::optional<std::vector<CopyOutcome::FileDigest>> parseManifest(std::string_view text);

// A manifest's path (written with "/") in the one spelling paths below a
// backup folder have here: "\" between names, empty and "." levels dropped,
// so "./UserData//a.iff" is "UserData\a.iff". Nothing for a path that
// names no file inside the folder: empty, absolute, with a drive, with "\",
// or climbing out with "..".
std::optional<std::string> pathBelow(std::string_view written);

// What checking a backup against its manifest found.
struct VerifyOutcome {
    // `unchecked`: a file of the backup that the manifest does not list.
    enum class Problem { missing, differs, unreadable, unchecked };
    struct Damaged {
        std::string path;  // below the backup folder, with "\"
        Problem problem;
    };
    std::uint64_t ok = 0;
    std::vector<Damaged> damaged;
    bool cancelled = false;
    bool unreadableManifest = false;
    // The manifest's entries as read, in its order.
    std::vector<CopyOutcome::FileDigest> listed;
};

}  // namespace orr::platform
