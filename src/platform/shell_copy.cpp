#include "shell_copy.h"
#include "sha256.h"

#include <cstdio>

namespace orr::platform {

std::string lastLevel(std::string_view path) {
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.remove_suffix(1);
    const auto sep = path.find_last_of("\\/");
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

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

bool isCopyTemporary(std::string_view name) {
    return name.starts_with("~orrindale-") && name.ends_with(".tmp");
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
    case CopyReason::changed: return "changed in the backup after it was checked";
    }
    return "error";
}

}  // namespace orr::platform
