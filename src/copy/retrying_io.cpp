#include "retrying_io.h"

#include "forwarding_io.h"

#include <thread>
#include <utility>

namespace orr::platform {
namespace {

template <class Call>
Status retried(const Call& call) {
    Status s = call();
    for (int n = 1; s == Status::sharingViolation && n <= kSharingRetries; ++n) {
        std::this_thread::sleep_for(kSharingWait * n);
        s = call();
    }
    return s;
}

// A written file whose rename into place is tried again as CopyIo::rename is.
class RetryingWrite final : public WriteStream {
public:
    explicit RetryingWrite(std::unique_ptr<WriteStream> inner) : inner_(std::move(inner)) {}
    Status write(std::span<const char> bytes) override { return inner_->write(bytes); }
    Status flush() override { return inner_->flush(); }
    Status readBack(std::uint64_t offset, std::span<char> into, std::size_t& got) override {
        return inner_->readBack(offset, into, got);
    }
    Status close(const FileMeta* meta) override { return inner_->close(meta); }
    Status finish(const FileMeta& meta) override { return inner_->finish(meta); }
    Status placeOver(const std::string& to) override {
        return retried([&] { return inner_->placeOver(to); });
    }

private:
    std::unique_ptr<WriteStream> inner_;
};

class RetryingIo final : public ForwardingIo {
public:
    using ForwardingIo::ForwardingIo;

    Status openRead(const std::string& p, std::unique_ptr<ReadStream>& out, bool withMeta) override {
        return retried([&] { return inner().openRead(p, out, withMeta); });
    }
    Status createNew(const std::string& p, std::unique_ptr<WriteStream>& out) override {
        const Status s = retried([&] { return inner().createNew(p, out); });
        if (s == Status::ok) out = std::make_unique<RetryingWrite>(std::move(out));
        return s;
    }
    Status rename(const std::string& f, const std::string& t) override {
        return retried([&] { return inner().rename(f, t); });
    }
    Status move(const std::string& f, const std::string& t) override {
        return retried([&] { return inner().move(f, t); });
    }
};

}  // namespace

std::unique_ptr<CopyIo> retryingIo(std::unique_ptr<CopyIo> inner) {
    return std::make_unique<RetryingIo>(std::move(inner));
}

}  // namespace orr::platform
