#include "platform/sha256.h"

#include <openssl/evp.h>

#include <stdexcept>

namespace orr::platform {
namespace {

class OpenSslSha256 final : public Sha256 {
public:
    OpenSslSha256() : ctx_(EVP_MD_CTX_new()) {
        if (!ctx_ || EVP_DigestInit_ex(ctx_.get(), EVP_sha256(), nullptr) != 1)
            throw std::runtime_error("SHA-256 is not available");
    }
    // A failure throws: a digest left wrong the same way on both sides of a
    // comparison would pass a bad copy as checked.
    void update(std::span<const char> bytes) override {
        if (EVP_DigestUpdate(ctx_.get(), bytes.data(), bytes.size()) != 1) throw std::runtime_error("SHA-256 failed");
    }
    Digest finish() override {
        Digest d{};
        unsigned int n = 0;
        const bool done = EVP_DigestFinal_ex(ctx_.get(), d.data(), &n) == 1 && n == d.size();
        if (EVP_DigestInit_ex(ctx_.get(), EVP_sha256(), nullptr) != 1 || !done)
            throw std::runtime_error("SHA-256 failed");
        return d;
    }

private:
    struct Free {
        void operator()(EVP_MD_CTX* c) const { EVP_MD_CTX_free(c); }
    };
    std::unique_ptr<EVP_MD_CTX, Free> ctx_;
};

}  // namespace

std::unique_ptr<Sha256> makeSha256() { return std::make_unique<OpenSslSha256>(); }

}  // namespace orr::platform
