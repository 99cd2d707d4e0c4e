#include "windows_path.h"

#include "ascii.h"

#include <algorithm>

namespace orr::platform {
namespace {

bool separator(char c) { return c == '\\' || c == '/'; }
bool letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Characters of the volume's root: 3 for "D:\", up to and with the share's
// closing separator for "\\server\share\"; 0 for a path that is not full.
std::size_t rootLength(std::string_view p) {
    if (p.size() >= 3 && letter(p[0]) && p[1] == ':' && separator(p[2])) return 3;
    if (p.size() < 3 || !separator(p[0]) || !separator(p[1]) || separator(p[2])) return 0;
    std::size_t at = 2;
    while (at < p.size() && !separator(p[at])) ++at;  // the server
    if (at < p.size() && p.substr(2, at - 2) == "?") {
        // "\\?\D:\x": the volume is the drive's.
        const std::size_t inner = rootLength(p.substr(at + 1));
        return inner == 0 ? 0 : at + 1 + inner;
    }
    if (at + 1 >= p.size()) return 0;  // no share
    std::size_t end = at + 1;
    while (end < p.size() && !separator(p[end])) ++end;  // the share
    if (end == at + 1) return 0;                          // "\\server\\x": none
    return end < p.size() ? end + 1 : end;
}

}  // namespace

bool isFullPath(std::string_view path) { return rootLength(path) > 0; }

std::string volumeOf(std::string_view path) {
    const std::size_t root = rootLength(path);
    if (root == 0) return {};
    std::string out(path.substr(0, root));
    if (!separator(out.back())) out += '\\';
    if (out.size() == 3) out[2] = '\\';
    return out;
}

std::string lastLevel(std::string_view path) {
    while (!path.empty() && separator(path.back())) path.remove_suffix(1);
    const auto sep = path.find_last_of("\\/");
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (!out.empty() && !separator(out.back())) out += '\\';
    while (!name.empty() && separator(name.front())) name.remove_prefix(1);
    return out.append(name);
}

std::string withoutClosingSeparator(std::string path) {
    const std::size_t keep = std::max<std::size_t>(rootLength(path), 1);
    while (path.size() > keep && separator(path.back())) path.pop_back();
    return path;
}

bool containsPath(std::string_view outer, std::string_view inner) {
    const auto backslashed = [](std::string_view p) {
        std::string out(p);
        std::replace(out.begin(), out.end(), '/', '\\');
        return withoutClosingSeparator(out);
    };
    const std::string o = backslashed(outer), i = backslashed(inner);
    if (i.size() < o.size() || !ascii::equal(i.substr(0, o.size()), o)) return false;
    return i.size() == o.size() || separator(o.back()) || separator(i[o.size()]);
}

}  // namespace orr::platform
