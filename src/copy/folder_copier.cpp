#include "folder_copier.h"
#include "platform/sha256.h"

#include <algorithm>
#include <cstdio>
#include <random>

namespace orr::platform {

std::string sizeText(std::uint64_t bytes) {
    constexpr const char* units[] = {"bytes", "KB", "MB", "GB", "TB"};
    if (bytes < 1024) return std::to_string(bytes) + " bytes";
    double value = static_cast<double>(bytes);
    int unit = 0;
    while (value >= 1024 && unit < 4) {
        value /= 1024;
        ++unit;
    }
    // One decimal below ten: "3.1 MB", "296 MB".
    char text[32];
    const int decimals = value < 10 ? 1 : 0;
    std::snprintf(text, sizeof text, "%.*f %s", decimals, value, units[unit]);
    return text;
}

std::string hexText(const Digest& digest) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(64);
    for (std::uint8_t b : digest) {
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

namespace {
constexpr std::string_view kTemporaryStart = "~orrindale-", kTemporaryEnd = ".tmp";
constexpr std::size_t kRunDigits = 16;
}  // namespace

std::string copyTemporaryName(std::uint64_t run, unsigned n) {
    char digits[kRunDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(run));
    return std::string(kTemporaryStart) + digits + "-" + std::to_string(n) + std::string(kTemporaryEnd);
}

std::uint64_t newCopyRun() {
    std::random_device random;
    return (std::uint64_t{random()} << 32) ^ random();
}

bool isCopyTemporary(std::string_view name) {
    if (!name.starts_with(kTemporaryStart) || !name.ends_with(kTemporaryEnd)) return false;
    name = name.substr(kTemporaryStart.size(), name.size() - kTemporaryStart.size() - kTemporaryEnd.size());
    if (name.size() < kRunDigits + 2 || name[kRunDigits] != '-') return false;
    const auto isHex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const std::string_view run = name.substr(0, kRunDigits), n = name.substr(kRunDigits + 1);
    return std::all_of(run.begin(), run.end(), isHex) && n.size() <= 10 && n.front() != '0' &&
           std::all_of(n.begin(), n.end(), isDigit);
}

const char* reasonText(CopyReason reason) {
    switch (reason) {
    case CopyReason::accessDenied: return "access denied";
    case CopyReason::inUse: return "in use by another program";
    case CopyReason::diskFull: return "disk full";
    case CopyReason::pathTooLong: return "path too long";
    case CopyReason::readError: return "read error";
    case CopyReason::writeError: return "write error";
    case CopyReason::notFound: return "no longer there";
    case CopyReason::sameFile: return "the copy would replace the original";
    case CopyReason::differs: return "the copy differs from the original";
    case CopyReason::targetUnlisted: return "its destination folder could not be read, so nothing there was replaced";
    case CopyReason::caseTwins:
        return "another file has the same name in different capitals, and this drive cannot keep both";
    case CopyReason::noAnswer: return "the drive stopped answering; check that it is still plugged in";
    case CopyReason::changed: return "changed in the backup after it was checked";
    }
    return "error";
}

}  // namespace orr::platform
