#include "manifest.h"

#include "platform/sha256.h"

#include <algorithm>

namespace orr::platform {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool manifestText(std::vector<CopyOutcome::FileDigest> digests, const std::function<bool(std::string_view)>& write) {
    constexpr std::size_t kPiece = std::size_t{64} << 10;
    std::sort(digests.begin(), digests.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    std::string text;
    for (const auto& d : digests) {
        std::string path = d.path;
        std::replace(path.begin(), path.end(), '\\', '/');
        text += hexText(d.digest) + "  " + path + "\n";
        if (text.size() >= kPiece) {
            if (!write(text)) return false;
            text.clear();
        }
    }
    return text.empty() || write(text);
}

std::optional<std::vector<CopyOutcome::FileDigest>> parseManifest(std::string_view text) {
    std::vector<CopyOutcome::FileDigest> out;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        // sha256sum writes " *" before the name of a file read as binary.
        if (line.size() < 67 || line[64] != ' ' || (line[65] != ' ' && line[65] != '*')) return std::nullopt;
        CopyOutcome::FileDigest d{{}, {}};
        for (std::size_t i = 0; i < 32; ++i) {
            const int hi = hexValue(line[2 * i]), lo = hexValue(line[2 * i + 1]);
            if (hi < 0 || lo < 0) return std::nullopt;
            d.digest[i] = static_cast<std::uint8_t>(hi * 16 + lo);
        }
        auto path = pathBelow(line.substr(66));
        if (!path) return std::nullopt;
        d.path = std::move(*path);
        out.push_back(std::move(d));
    }
    return out;
}

std::optional<std::string> pathBelow(std::string_view written) {
    // A path that climbs out of the backup names nothing of it.
    if (written.starts_with('/') || written.find_first_of(":\\") != std::string_view::npos) return std::nullopt;
    std::string out;
    while (!written.empty()) {
        const std::size_t end = written.find('/');
        const std::string_view name = written.substr(0, end);
        written = end == std::string_view::npos ? std::string_view{} : written.substr(end + 1);
        if (name == "..") return std::nullopt;
        if (name.empty() || name == ".") continue;
        out.append(out.empty() ? "" : "\\").append(name);
    }
    if (out.empty()) return std::nullopt;
    return out;
}

}  // namespace orr::platform
