#include "file_workers.h"

#include <algorithm>

namespace orr::platform {

namespace {

constexpr std::size_t kBuffer = std::size_t{512} << 10;

FileResult failed(Status s, CopyReason otherwise) {
    FileResult out;
    out.kind = FileResult::Kind::failed;
    out.reason = reasonFor(s, otherwise);
    return out;
}

// A source that could not be opened or read.
FileResult unreadable(Status s) { return failed(s, s == Status::fileNotFound ? CopyReason::notFound : CopyReason::readError); }

}  // namespace

CopyReason reasonFor(Status s, CopyReason otherwise) {
    switch (s) {
    case Status::accessDenied: return CopyReason::accessDenied;
    case Status::sharingViolation: return CopyReason::inUse;
    case Status::diskFull: return CopyReason::diskFull;
    case Status::nameTooLong: return CopyReason::pathTooLong;
    default: return otherwise;
    }
}

FileWorkers::FileWorkers(CopyIo& io, unsigned threads, std::function<bool()> between)
    : io_(io), between_(std::move(between)) {
    if (threads == 0) inline_ = {std::vector<char>(kBuffer), makeSha256()};
    for (unsigned i = 0; i < threads; ++i) threads_.emplace_back([this] { work(); });
}

FileWorkers::~FileWorkers() {
    cancelled_ = true;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    queued_.notify_all();
    for (std::thread& t : threads_) t.join();
    for (auto& [job, result] : results_)
        if (result && result->kind == FileResult::Kind::copied) {
            result->written.reset();
            io_.removeFile(job.temporary);
        }
}

void FileWorkers::submit(FileJob job) {
    if (threads_.empty()) {
        FileResult result = run(job, inline_);
        results_.emplace_back(std::move(job), std::move(result));
        ++outstanding_;
        ++ready_;
        return;
    }
    ++outstanding_;
    bool wake;
    {
        std::lock_guard lock(mutex_);
        results_.emplace_back(job, std::nullopt);
        jobs_.emplace_back(nextSlot_++, std::move(job));
        wake = idle_ > 0;
    }
    if (wake) queued_.notify_one();
}

std::optional<FileResult> FileWorkers::take(std::chrono::milliseconds wait, std::size_t batch) {
    std::unique_lock lock(mutex_);
    if (results_.empty()) return std::nullopt;
    if (ready_ == 0) {
        if (wait.count() <= 0) return std::nullopt;  // no system call for a look
        wanted_ = std::clamp<std::size_t>(batch, 1, results_.size());
        const bool there = done_.wait_for(lock, wait, [this] { return ready_ >= wanted_; });
        wanted_ = 0;
        if (!there) return std::nullopt;
    }
    FileResult out = std::move(*results_.front().second);
    results_.pop_front();
    ++firstSlot_;
    --ready_;
    --outstanding_;
    return out;
}

std::optional<FileResult> FileWorkers::await(std::size_t batch, std::chrono::milliseconds interval,
                                             const std::function<bool()>& meanwhile) {
    for (;;) {
        if (std::optional<FileResult> r = take(interval, batch)) return r;
        if (!meanwhile()) return std::nullopt;
    }
}

void FileWorkers::work() {
    Tools tools{std::vector<char>(kBuffer), nullptr};
    std::unique_lock lock(mutex_);
    for (;;) {
        if (jobs_.empty()) {
            ++idle_;
            queued_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            --idle_;
        }
        if (jobs_.empty()) return;
        auto [slot, job] = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        FileResult result;
        try {
            if (!tools.hash) tools.hash = makeSha256();
            result = run(job, tools);
        } catch (...) {
            result = failed(Status::ioError, CopyReason::readError);  // no digest to be had
        }
        lock.lock();
        finished(static_cast<std::size_t>(slot - firstSlot_), std::move(result));
    }
}

// Called with the lock held. Wakes the taker only once as many results
// as it waits for are there: one wake per batch, not per file.
void FileWorkers::finished(std::size_t slot, FileResult&& result) {
    results_[slot].second = std::move(result);
    while (ready_ < results_.size() && results_[ready_].second) ++ready_;
    if (wanted_ && ready_ >= wanted_) done_.notify_one();
}

bool FileWorkers::goOn() {
    if (!cancelled_ && threads_.empty() && between_ && !between_()) cancelled_ = true;
    return !cancelled_;
}

std::optional<Digest> FileWorkers::digest(const std::string& path, Tools& tools, Status& status,
                                          std::uint64_t* counted) {
    return fileDigest(io_, path, *tools.hash, tools.buffer, status, [&] {
        if (counted) count(tools.buffer.size(), *counted);
        return goOn();
    });
}

void FileWorkers::count(std::uint64_t bytes, std::uint64_t& counted) {
    bytes_ += bytes;
    counted += bytes;
}

FileResult FileWorkers::run(const FileJob& job, Tools& tools) {
    if (cancelled_) return {};
    std::uint64_t counted = 0;  // of the job's bytes, for progress
    FileResult out = compareOrCopy(job, tools, counted);
    if (out.kind != FileResult::Kind::cancelled) {
        bytes_ += job.size;
        bytes_ -= counted;
    }
    return out;
}

FileResult FileWorkers::compareOrCopy(const FileJob& job, Tools& tools, std::uint64_t& counted) {
    if (job.sameSizeTarget.empty() && !job.temporary.empty()) return copy(job, tools, counted);
    FileResult out;
    Status s;
    const std::optional<Digest> source = digest(job.source, tools, s, &counted);
    if (cancelled_) return {};
    if (job.temporary.empty()) {
        if (!source) return unreadable(s);
        out.kind = FileResult::Kind::hashed;
        out.digest = *source;
        return out;
    }
    // What cannot be read here is copied anyway, which then says why.
    if (source) {
        const std::optional<Digest> target = digest(job.sameSizeTarget, tools, s, nullptr);
        if (cancelled_) return {};
        if (target && *target == *source) {
            out.kind = FileResult::Kind::unchanged;
            out.digest = *source;
            return out;
        }
    }
    bytes_ -= counted;  // counted again as the file is copied
    counted = 0;
    return copy(job, tools, counted);
}

FileResult FileWorkers::copy(const FileJob& job, Tools& tools, std::uint64_t& counted) {
    std::unique_ptr<ReadStream> in;
    if (Status s = io_.openRead(job.source, in, true); s != Status::ok) return unreadable(s);
    // Removed on every way out but success, also when the program ends
    // inside a job run on the caller's thread.
    Temporary temp(io_, job.temporary);
    if (Status s = temp.create(); s != Status::ok)
        return failed(s, CopyReason::writeError);

    Sha256& hash = *tools.hash;
    FileResult out;
    for (;;) {
        std::size_t got = 0;
        if (Status s = in->read(tools.buffer, got); s != Status::ok) {
            hash.finish();
            return failed(s, CopyReason::readError);
        }
        if (got == 0) break;
        hash.update({tools.buffer.data(), got});
        if (Status s = temp.stream->write({tools.buffer.data(), got}); s != Status::ok) {
            hash.finish();
            return failed(s, CopyReason::writeError);
        }
        out.bytes += got;
        count(got, counted);
        // A large file takes a cancel between its chunks.
        if (got == tools.buffer.size() && !goOn()) {
            hash.finish();
            return {};
        }
    }
    out.digest = hash.finish();
    if (Status s = temp.stream->flush(); s != Status::ok) return failed(s, CopyReason::writeError);

    // Read back before it may take the target's place.
    std::uint64_t at = 0;
    Status s;
    const std::optional<Digest> written = streamDigest(
        [&](std::span<char> into, std::size_t& got) {
            const Status read = temp.stream->readBack(at, into, got);
            at += got;
            return read;
        },
        hash, tools.buffer, s, [this] { return goOn(); });
    if (cancelled_) return {};
    if (!written) return failed(s, CopyReason::readError);
    if (*written != out.digest) return failed(Status::ok, CopyReason::differs);
    // Kept open: the copying thread renames it through the same handle.
    if (Status s = temp.stream->finish(in->meta()); s != Status::ok) return failed(s, CopyReason::writeError);
    out.kind = FileResult::Kind::copied;
    out.written = std::move(temp.stream);
    temp.kept();
    return out;
}

}  // namespace orr::platform
