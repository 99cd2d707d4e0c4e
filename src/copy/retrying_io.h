// Another program (an antivirus, the search indexer) often holds a file for
// a moment: the open, create, rename or move it blocks fails with a sharing
// or lock violation. In the manner of SQLite's winRetryIoerr, such a call is
// tried again a few times, after a short wait that grows each time, before
// the file counts as in use. Any other outcome passes at once.
#pragma once

#include "platform/copy_io.h"

#include <chrono>
#include <memory>

namespace orr::platform {

// Waits 25, 50, 75 and 100 ms: at most a quarter of a second per call.
inline constexpr int kSharingRetries = 4;
inline constexpr std::chrono::milliseconds kSharingWait{25};

// `inner`, with the calls above retried.
std::unique_ptr<CopyIo> retryingIo(std::unique_ptr<CopyIo> inner);

}  // namespace orr::platform
