// Character-level text helpers for the toolkit's path and name functions.
// Texts are UTF-8; a "character" is one code point, and positions are
// 1-based character positions as the toolkit's interface counts them.
// A byte that is not valid UTF-8 counts as one character of its own, so
// nothing is lost when a text is cut and joined again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orr::text {

// A read-only view of a text by character position.
class Characters {
public:
    explicit Characters(std::string_view s);

    std::int64_t length() const { return static_cast<std::int64_t>(starts_.size()); }
    // The character at position i (1 to length()), as its bytes.
    std::string_view at(std::int64_t i) const;
    // `count` characters from position `start`; both are clamped to the text.
    std::string mid(std::int64_t start, std::int64_t count) const;
    // From position `start` to the end.
    std::string mid(std::int64_t start) const;
    std::string left(std::int64_t count) const { return mid(1, count); }
    std::string right(std::int64_t count) const;
    // Position of the first `c` (an ASCII character) at or after `from`, 0 when none.
    std::int64_t find(char c, std::int64_t from) const;

private:
    std::size_t byteOffset(std::int64_t position) const;  // of position 1..length()+1
    std::string_view s_;
    std::vector<std::size_t> starts_;  // byte offset of each character
};

// The text without its last character; "" stays "".
std::string removeLastChar(std::string_view s);
// The last character of the text; "" for "".
std::string lastChar(std::string_view s);

}  // namespace orr::text
