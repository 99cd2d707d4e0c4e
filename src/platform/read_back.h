// Reads written files back and hashes them, on a second thread when asked:
// the copy then writes the next files while the last ones are checked. One
// thread, one buffer and one hash object, whatever the files' number.
//
// Threaded, the source is hashed here too, read a second time (from the
// cache, as it was just read for the copy): the copying thread then only
// reads and writes, and the two threads share the hashing. Unthreaded, the
// copy hashes the source as it reads it.
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
    Status status = Status::ok;  // of opening or reading a file
    Digest digest{};             // of the written file
    Digest source{};             // of the source, when it was asked for
};

class ReadBack {
public:
    ReadBack(CopyIo& io, bool threaded);
    // Finishes what is queued, then ends the thread.
    ~ReadBack();
    ReadBack(const ReadBack&) = delete;
    ReadBack& operator=(const ReadBack&) = delete;

    bool threaded() const { return thread_.joinable(); }
    // Queues the written file at `path` (a path of `io`), and its `source`
    // when not empty. They stay open until the result has been taken: do
    // not remove them before.
    void queue(std::string path, std::string source);
    // Whether the result of the oldest queued file is there.
    bool ready();
    // The result of the oldest queued file, waiting for it.
    ReadBackResult next();

private:
    struct Job {
        std::string path, source;
    };
    ReadBackResult run(const Job& job);
    void work();

    CopyIo& io_;
    std::vector<char> buffer_;
    std::unique_ptr<Sha256> sha_;
    std::mutex mutex_;
    std::condition_variable queued_, finished_;
    std::deque<Job> jobs_;
    std::deque<ReadBackResult> results_;
    bool wanted_ = false;    // next() waits: start now, not at a full batch
    bool stopping_ = false;
    std::thread thread_;  // last: starts once everything above exists
};

}  // namespace orr::platform
