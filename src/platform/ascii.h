// ASCII letter case, as the file system, the registry and profile files
// compare names: only A to Z and a to z fold; other bytes (UTF-8 included)
// stay as they are, whatever the C locale says.
#pragma once

#include <string>
#include <string_view>

namespace orr::ascii {

constexpr char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = upper(c);
    return out;
}
inline std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = lower(c);
    return out;
}

// Equal without regard to ASCII letter case.
constexpr bool equal(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

// The order the platform lists names in: by their upper-case form, then
// as written (bytes compared unsigned, as std::string does).
constexpr bool less(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const auto x = static_cast<unsigned char>(upper(a[i])), y = static_cast<unsigned char>(upper(b[i]));
        if (x != y) return x < y;
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

}  // namespace orr::ascii
