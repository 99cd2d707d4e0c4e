#include "text.h"

#include <algorithm>

namespace orr::text {
namespace {

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Bytes of the character that starts at `i`: a lead byte claims as many
// continuation bytes as it announces and as actually follow it.
std::size_t charLength(std::string_view s, std::size_t i) {
    auto b = static_cast<unsigned char>(s[i]);
    std::size_t want = b >= 0xF0 && b <= 0xF7 ? 4 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xC0 && b <= 0xDF ? 2 : 1;
    std::size_t n = 1;
    while (n < want && i + n < s.size() && isContinuation(static_cast<unsigned char>(s[i + n]))) ++n;
    return n;
}

}  // namespace

Characters::Characters(std::string_view s) : s_(s) {
    for (std::size_t i = 0; i < s.size(); i += charLength(s, i)) starts_.push_back(i);
}

std::size_t Characters::byteOffset(std::int64_t position) const {
    if (position <= 1) return 0;
    if (position > length()) return s_.size();
    return starts_[static_cast<std::size_t>(position - 1)];
}

std::string_view Characters::at(std::int64_t i) const {
    if (i < 1 || i > length()) return {};
    std::size_t b = byteOffset(i);
    return s_.substr(b, byteOffset(i + 1) - b);
}

std::string Characters::mid(std::int64_t start, std::int64_t count) const {
    if (count <= 0 || start > length()) return {};
    start = std::max<std::int64_t>(start, 1);
    std::int64_t end = start + std::min(count, length() - start + 1);  // one past the last
    std::size_t b = byteOffset(start);
    return std::string(s_.substr(b, byteOffset(end) - b));
}

std::string Characters::mid(std::int64_t start) const { return mid(start, length()); }

std::string Characters::right(std::int64_t count) const {
    if (count <= 0) return {};
    return mid(std::max<std::int64_t>(length() - count + 1, 1), count);
}

std::int64_t Characters::find(char c, std::int64_t from) const {
    for (std::int64_t i = std::max<std::int64_t>(from, 1); i <= length(); ++i) {
        std::size_t b = byteOffset(i);
        if (s_[b] == c) return i;
    }
    return 0;
}

std::string removeLastChar(std::string_view s) {
    Characters t(s);
    return t.left(t.length() - 1);
}

std::string lastChar(std::string_view s) {
    return Characters(s).right(1);
}

}  // namespace orr::text
