// CNG's SHA-256: bcrypt.dll is a system DLL, so the program stays one file;
// the processor's SHA instructions first, where it has them (sha256_ni.h).
#include "platform/sha256.h"

#include "sha256_ni.h"

#include <windows.h>
#include <bcrypt.h>

#include <stdexcept>

namespace orr::platform {
namespace {

class CngSha256 final : public Sha256 {
public:
    CngSha256() {
        if (BCryptOpenAlgorithmProvider(&algorithm_, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0)
            throw std::runtime_error("SHA-256 is not available");
        start();
    }
    ~CngSha256() override {
        if (hash_) BCryptDestroyHash(hash_);
        BCryptCloseAlgorithmProvider(algorithm_, 0);
    }
    CngSha256(const CngSha256&) = delete;
    CngSha256& operator=(const CngSha256&) = delete;

    // A failure throws: a digest left wrong the same way on both sides of a
    // comparison would pass a bad copy as checked.
    void update(std::span<const char> bytes) override {
        while (!bytes.empty()) {
            const ULONG n = static_cast<ULONG>(std::min<std::size_t>(bytes.size(), 1u << 30));
            if (BCryptHashData(hash_, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())), n, 0) != 0)
                throw std::runtime_error("SHA-256 failed");
            bytes = bytes.subspan(n);
        }
    }
    Digest finish() override {
        Digest d{};
        const bool done = BCryptFinishHash(hash_, d.data(), static_cast<ULONG>(d.size()), 0) == 0;
        BCryptDestroyHash(hash_);
        hash_ = nullptr;
        start();
        if (!done) throw std::runtime_error("SHA-256 failed");
        return d;
    }

private:
    void start() {
        if (BCryptCreateHash(algorithm_, &hash_, nullptr, 0, nullptr, 0, 0) != 0)
            throw std::runtime_error("SHA-256 is not available");
    }
    BCRYPT_ALG_HANDLE algorithm_ = nullptr;
    BCRYPT_HASH_HANDLE hash_ = nullptr;
};

}  // namespace

std::unique_ptr<Sha256> makeSha256() {
    if (std::unique_ptr<Sha256> fast = win32::makeShaNi()) return fast;
    return std::make_unique<CngSha256>();
}

}  // namespace orr::platform
