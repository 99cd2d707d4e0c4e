#include "folder_copier.h"
#include "platform/error.h"
#include "platform/sha256.h"

#include <algorithm>
#include <cstdio>
#include <random>

namespace orr::platform {

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

WholeWrite writeWhole(FileSystem& files, const std::string& target,
                      const std::function<bool(const std::string& temporary)>& fill) {
    const std::string folder = target.substr(0, target.find_last_of('\\'));
    // Deliberate: a leftover that cannot be removed now is named by the
    // write that left it, and tried again by every later write here.
    for (const auto& e : files.list(folder + "\\~orrindale-*.tmp"))
        if (isCopyTemporary(e.name)) static_cast<void>(files.removeFile(folder + "\\" + e.name));
    std::string temp;
    for (unsigned n = 1; temp.empty() || files.exists(temp); ++n)
        temp = folder + "\\" + copyTemporaryName(newCopyRun(), n);
    bool filled = false;
    try {
        filled = fill(temp);
    } catch (const RunError&) {
    }
    if (filled && files.replaceFile(temp, target) == Status::ok) return {true, {}};
    if (files.exists(temp) && files.removeFile(temp) != Status::ok) return {false, temp};
    return {};
}

}  // namespace orr::platform
