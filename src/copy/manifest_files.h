// Writing and checking a manifest through the copy's own file operations
// (long paths, the fault seam).
#pragma once

#include "platform/copy_io.h"
#include "platform/events.h"
#include "manifest.h"

#include <atomic>
#include <string_view>
#include <vector>

namespace orr::platform {

// Every file below `folder`'s subfolders `sets` ("ExpansionShared\SkinsBuy"
// too), by its path below `folder` with "\", as a manifest of them lists
// it: the copy's own temporary files are none of the backup's. Through
// this OS's own file operations over `files` (as liesWithin).
class FileSystem;
Status listSetFiles(FileSystem& files, std::string_view folder, const std::vector<std::string>& sets,
                    std::vector<std::string>& out);

bool writeManifest(CopyIo& io, EventPump& events, std::string_view folder, const std::vector<std::string>& sets,
                   const std::vector<CopyOutcome::FileDigest>& known, std::string_view manifest);
// With `progress`, the check shows in it and its Cancel stops the check.
// Files are read by `threads` worker threads (0: on this one). `stop`, when
// set, is asked between files: true cancels the check. Entries below the
// subfolders `skipSets` are dropped unread, from `listed` too.
class CopyProgress;
VerifyOutcome verifyManifest(CopyIo& io, EventPump& events, CopyProgress* progress, std::string_view folder,
                             std::string_view manifest, unsigned threads, const std::atomic<bool>* stop = nullptr,
                             const std::vector<std::string>& skipSets = {});

}  // namespace orr::platform
