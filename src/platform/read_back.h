// Reads written files back and hashes them, on a second thread when asked:
// the copy then writes the next files while the last ones are checked. One
// thread, one buffer and one hash object, whatever the files' number.
//
// Threaded, a small file's source is hashed here too, from the bytes the
// copy read and hands over: the copying thread then only reads and writes,
// and the two threads share the hashing. Otherwise the copy hashes the
// source as it reads it.
//
// Threaded, the order of the file operations depends on timing, so a copy
// under the fault seam, which counts calls, checks on its own thread.
#pragma once

#include "copy_io.h"
#include "sha256.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace orr::platform {

struct ReadBackResult {
    Status status = Status::ok;  // of opening or reading a file
    Digest digest{};             // of the written file
    Digest source{};             // of the bytes handed over, if any
};

class ReadBack {
public:
    ReadBack(CopyIo& io, bool threaded);
    // Finishes what is queued, then ends the thread.
    ~ReadBack();
    ReadBack(const ReadBack&) = delete;
    ReadBack& operator=(const ReadBack&) = delete;

    bool threaded() const { return thread_.joinable(); }
    // Queues the written file at `path` (a path of `io`), which stays
    // until its result has been taken: do not remove it before. With
    // `source`, the bytes that were written are hashed too.
    void queue(std::string path, std::optional<std::string> source = std::nullopt);
    // Whether the result of the oldest queued file is there.
    bool ready();
    // The result of the oldest queued file, waiting for it.
    ReadBackResult next();

private:
    struct Job {
        std::string path;
        std::optional<std::string> source;
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
