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
// Nothing when a line is not of the format.
std::optional<std::vector<CopyOutcome::FileDigest>> parseManifest(std::string_view text);

// What checking a backup against its manifest found.
struct VerifyOutcome {
    enum class Problem { missing, differs, unreadable };
    struct Damaged {
        std::string path;  // below the backup folder, with "\"
        Problem problem;
    };
    std::uint64_t ok = 0;
    std::vector<Damaged> damaged;
    bool cancelled = false;
    bool unreadableManifest = false;
};

const char* problemText(VerifyOutcome::Problem problem);

}  // namespace orr::platform
