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

class RetryingIo final : public ForwardingIo {
public:
    using ForwardingIo::ForwardingIo;

    Status openRead(const std::string& p, std::unique_ptr<ReadStream>& out, bool withMeta) override {
        return retried([&] { return inner().openRead(p, out, withMeta); });
    }
    Status createNew(const std::string& p, std::unique_ptr<WriteStream>& out) override {
        return retried([&] { return inner().createNew(p, out); });
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
