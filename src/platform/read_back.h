// Reads written files back and hashes them, on a second thread when asked:
// the copy then writes the next files while the last ones are checked. One
// thread, one buffer and one hash object, whatever the files' number.
//
// Threaded, the order of the file operations depends on timing, so a copy
// under the fault seam, which counts calls, checks on its own thread.
#pragma once

#include "copy_io.h"
#include "sha256.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orr::platform {

struct ReadBackResult {
    Status status = Status::ok;  // of opening or reading the file
    Digest digest{};
};

class ReadBack {
public:
    ReadBack(CopyIo& io, bool threaded);
    // Finishes what is queued, then ends the thread.
    ~ReadBack();
    ReadBack(const ReadBack&) = delete;
    ReadBack& operator=(const ReadBack&) = delete;

    // Queues the file at `path` (a path of `io`). It stays open until its
    // result has been taken: do not remove it before.
    void queue(std::string path);
    // Whether the result of the oldest queued file is there.
    bool ready();
    // The result of the oldest queued file, waiting for it.
    ReadBackResult next();

private:
    ReadBackResult run(const std::string& path);
    void work();

    CopyIo& io_;
    std::vector<char> buffer_;
    std::unique_ptr<Sha256> sha_;
    std::mutex mutex_;
    std::condition_variable queued_, finished_;
    std::deque<std::string> jobs_;
    std::deque<ReadBackResult> results_;
    bool wanted_ = false;    // next() waits: start now, not at a full batch
    bool stopping_ = false;
    std::thread thread_;  // last: starts once everything above exists
};

}  // namespace orr::platform
