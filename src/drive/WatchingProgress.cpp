#include "WatchingProgress.h"

namespace orr::drive {

void WatchingProgress::begin(const std::string& source, const std::string& destination, std::uint64_t files,
                             std::uint64_t bytes) {
    source_ = source;
    if (inner_) return inner_->begin(source, destination, files, bytes);
    events_.process();
    lastEvents_ = std::chrono::steady_clock::now();
}

bool WatchingProgress::advance(const std::string& currentFile, std::uint64_t filesDone, std::uint64_t bytesDone) {
    if (settled_ && settled_(source_, filesDone)) events_.process();
    if (inner_) return inner_->advance(currentFile, filesDone, bytesDone);
    if (std::chrono::steady_clock::now() - lastEvents_ >= std::chrono::milliseconds(100)) {
        events_.process();
        lastEvents_ = std::chrono::steady_clock::now();
    }
    return true;
}

void WatchingProgress::end() {
    if (inner_) inner_->end();
}

}  // namespace orr::drive
