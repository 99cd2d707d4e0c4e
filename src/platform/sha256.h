// SHA-256 through the platform's own implementation: CNG (bcrypt.dll) on
// Windows (the processor's SHA instructions first, where it has them),
// OpenSSL's libcrypto on POSIX.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace orr::platform {

using Digest = std::array<std::uint8_t, 32>;

// Every call throws std::runtime_error when the platform's hashing fails,
// as making one does where SHA-256 is not available.
class Sha256 {
public:
    virtual ~Sha256() = default;
    virtual void update(std::span<const char> bytes) = 0;
    // The digest of everything given since the last finish; starts anew.
    virtual Digest finish() = 0;
};

std::unique_ptr<Sha256> makeSha256();

// 64 lower-case hexadecimal digits, as sha256sum prints them.
std::string hexText(const Digest& digest);

}  // namespace orr::platform
