// The per-file work of a folder copy, done by a small pool of threads: each
// takes a whole file (compare, read and hash, write, read back and compare)
// so the cores share the hashing and the system calls alike, while the
// copying thread only plans, renames into place and serves the window.
//
// Results come out in the order jobs went in, whatever order they finish
// in. Without threads every job runs in submit(), on the caller's thread:
// a copy under the fault seam, which counts calls, needs their order fixed.
#pragma once

#include "platform/copy_io.h"
#include "copy_outcome.h"
#include "platform/sha256.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace orr::platform {

// The reason a failed file operation gives, or `otherwise`.
CopyReason reasonFor(Status s, CopyReason otherwise);

struct FileJob {
    std::string source;     // a path of the copy's CopyIo
    // Where the copy is written; it is left there (complete, read back and
    // matching, still open) only for a result `copied`. Empty: the source
    // is only hashed.
    std::string temporary;
    // When not empty, a file of the source's size: it is hashed first, and
    // when it holds the same bytes nothing is written.
    std::string sameSizeTarget;
    std::uint64_t size = 0;  // the source's, as listed: for progress
};

struct FileResult {
    enum class Kind { copied, unchanged, hashed, failed, cancelled };
    Kind kind = Kind::cancelled;
    CopyReason reason = CopyReason::readError;  // `failed`
    Digest digest{};                            // of the source
    std::uint64_t bytes = 0;                    // `copied`: written
    // `copied`: the file written, its times and attributes given, still
    // open for WriteStream::placeOver(); closing it leaves it as it is.
    std::unique_ptr<WriteStream> written;
};

class FileWorkers {
public:
    // Two threads keep a disk and a core busy while another file is
    // hashed; more would mostly compete for the same disk.
    static constexpr unsigned kThreads = 2;
    // Jobs a caller keeps outstanding at most; it waits for half of them
    // when there are this many, one wake-up per batch.
    static constexpr std::size_t kQueue = 64;

    // `threads` 0: jobs run in submit(), and `between`, asked after every
    // full buffer of a file, may cancel (false) or throw through submit().
    FileWorkers(CopyIo& io, unsigned threads, std::function<bool()> between = {});
    // Cancels what is not done, ends the threads and closes and removes
    // the temporary files of results nobody took.
    ~FileWorkers();
    FileWorkers(const FileWorkers&) = delete;
    FileWorkers& operator=(const FileWorkers&) = delete;

    void submit(FileJob job);
    // Jobs submitted whose results have not been taken.
    std::size_t outstanding() const { return outstanding_; }
    // The oldest job's result. When none is there, waits at most `wait`
    // until the oldest `batch` (or all outstanding) are.
    std::optional<FileResult> take(std::chrono::milliseconds wait, std::size_t batch = 1);
    // The same, waiting as long as it takes and asking `meanwhile` every
    // `interval` of the wait; nothing once that answers false.
    std::optional<FileResult> await(std::size_t batch, std::chrono::milliseconds interval,
                                    const std::function<bool()>& meanwhile);
    // Jobs not finished end as `cancelled`, their files removed.
    void cancel() { cancelled_ = true; }

    // For progress: source bytes gone through so far.
    std::uint64_t bytesDone() const { return bytes_; }

private:
    struct Tools {
        std::vector<char> buffer;
        std::unique_ptr<Sha256> hash;
    };
    FileResult run(const FileJob& job, Tools& tools);
    FileResult compareOrCopy(const FileJob& job, Tools& tools, std::uint64_t& counted);
    FileResult copy(const FileJob& job, Tools& tools, std::uint64_t& counted);
    // `counted` (when given) and bytesDone() grow as the file is read.
    std::optional<Digest> digest(const std::string& path, Tools& tools, Status& status, std::uint64_t* counted);
    void count(std::uint64_t bytes, std::uint64_t& counted);
    // Whether a job goes on after a full buffer: not once cancelled.
    bool goOn();
    void work();
    void finished(std::size_t slot, FileResult&& result);

    CopyIo& io_;
    std::function<bool()> between_;
    Tools inline_;
    std::atomic<bool> cancelled_{false};
    std::atomic<std::uint64_t> bytes_{0};
    std::size_t outstanding_ = 0;

    std::mutex mutex_;
    std::condition_variable queued_, done_;
    // Waiting jobs with their result slots, counted from the oldest untaken.
    std::deque<std::pair<std::uint64_t, FileJob>> jobs_;
    std::deque<std::pair<FileJob, std::optional<FileResult>>> results_;
    std::uint64_t firstSlot_ = 0, nextSlot_ = 0;
    std::size_t ready_ = 0;   // results there, counted from the oldest
    std::size_t wanted_ = 0;  // what take() waits for; 0: nobody waits
    unsigned idle_ = 0;       // threads waiting for jobs
    bool stopping_ = false;
    std::vector<std::thread> threads_;  // last: start once everything above exists
};

}  // namespace orr::platform
