#include "read_back.h"

namespace orr::platform {

namespace {
constexpr std::size_t kBuffer = std::size_t{256} << 10;
// The thread sleeps until this many files wait: a hand-over per file would
// cost about what reading a small file does.
constexpr std::size_t kBatch = 16;
}  // namespace

ReadBack::ReadBack(CopyIo& io, bool threaded) : io_(io), buffer_(kBuffer), sha_(makeSha256()) {
    if (threaded) thread_ = std::thread([this] { work(); });
}

ReadBack::~ReadBack() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    queued_.notify_one();
    thread_.join();
}

void ReadBack::queue(std::string path, std::optional<std::string> source) {
    Job job{std::move(path), std::move(source)};
    if (!thread_.joinable()) {
        results_.push_back(run(job));
        return;
    }
    bool start;
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
        start = jobs_.size() >= kBatch;
    }
    if (start) queued_.notify_one();
}

bool ReadBack::ready() {
    std::lock_guard lock(mutex_);
    return !results_.empty();
}

ReadBackResult ReadBack::next() {
    std::unique_lock lock(mutex_);
    if (results_.empty()) {
        wanted_ = true;
        queued_.notify_one();
        finished_.wait(lock, [this] { return !results_.empty(); });
        wanted_ = false;
    }
    ReadBackResult out = results_.front();
    results_.pop_front();
    return out;
}

ReadBackResult ReadBack::run(const Job& job) {
    ReadBackResult out;
    if (job.source) {
        sha_->update({job.source->data(), job.source->size()});
        out.source = sha_->finish();
    }
    if (const auto written = fileDigest(io_, job.path, *sha_, buffer_, out.status)) out.digest = *written;
    return out;
}

void ReadBack::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        queued_.wait(lock, [this] { return stopping_ || wanted_ || jobs_.size() >= kBatch; });
        if (jobs_.empty()) {
            if (stopping_) return;
            wanted_ = false;  // asked for a result that is there already
            continue;
        }
        while (!jobs_.empty()) {
            const Job job = std::move(jobs_.front());
            jobs_.pop_front();
            lock.unlock();
            ReadBackResult result;
            try {
                result = run(job);
            } catch (...) {
                result.status = Status::ioError;  // no digest to be had
            }
            lock.lock();
            results_.push_back(result);
            if (wanted_) finished_.notify_one();
        }
    }
}

}  // namespace orr::platform
