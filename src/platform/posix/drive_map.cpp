#include "drive_map.h"

#include <cstdlib>
#include "platform/ascii.h"

#include <algorithm>
#include <optional>
#include <system_error>

namespace orr::platform::posix {

std::filesystem::path prefixRoot(const std::string& root) {
    if (!root.empty()) return root;
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return prefix;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : "") / ".wine";
}
namespace fs = std::filesystem;

namespace {

using ascii::upper;

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Characters Windows refuses in a file name (":" only appears after a drive letter).
bool validComponent(std::string_view name) {
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 ||
               std::string_view("*?<>|\":").find(c) != std::string_view::npos;
    });
}

// Splits at "\" (already normalised), applying "." and ".." on top of `parts`;
// ".." never climbs above the drive root. With `asTyped`, a name followed
// by "\" loses one closing "." as the platform's path parser drops it ("a.\"
// is "a\", but "a..\" stays).
bool appendComponents(std::vector<std::string>& parts, std::string_view rest, bool asTyped) {
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find('\\', start);
        if (end == std::string_view::npos) end = rest.size();
        std::string_view name = rest.substr(start, end - start);
        const bool last = end == rest.size();
        start = end + 1;
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        if (asTyped && !last && name.back() == '.' && name[name.size() - 2] != '.')
            name.remove_suffix(1);
        if (!validComponent(name)) return false;
        parts.emplace_back(name);
    }
    return true;
}

// The entry of `dir` whose name equals `name` without regard to ASCII case;
// of several, the smallest name, so the choice does not depend on the
// order the host lists them in.
std::optional<std::string> findIgnoringCase(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) return std::nullopt;
    std::optional<std::string> best;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        std::string candidate = it->path().filename().string();
        if (ascii::equal(candidate, name) && (!best || candidate < *best))
            best = std::move(candidate);
    }
    return best;
}

}  // namespace

std::string WindowsPath::text() const {
    std::string out{drive, ':', '\\'};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) out += '\\';
        out += parts[i];
    }
    if (trailingSeparator && !parts.empty()) out += '\\';
    return out;
}

WindowsPath DriveMap::absolute(std::string_view path) const {
    std::string p(path);
    std::replace(p.begin(), p.end(), '/', '\\');

    // Nothing, only spaces (which the platform's parser refuses rather than
    // trim away), or \\server\share.
    WindowsPath out;
    if (p.find_first_not_of(' ') == std::string::npos || p.rfind("\\\\", 0) == 0) {
        out.status = Status::pathNotFound;
        return out;
    }

    // The current folder is stored trimmed already; it is split as it stands.
    WindowsPath current;
    current.drive = current_[0];
    appendComponents(current.parts, std::string_view(current_).substr(2), false);

    std::string_view rest = p;
    out.drive = current.drive;
    if (p.size() >= 2 && isLetter(p[0]) && p[1] == ':') {
        out.drive = upper(p[0]);
        rest.remove_prefix(2);
    }
    if (!rest.empty() && rest.front() == '\\') {
        // From the drive's root.
    } else if (out.drive == current.drive) {
        out.parts = current.parts;
    }
    // Windows keeps one current directory per drive; this map keeps only
    // the current drive's, so "D:x" starts from D:'s root.

    if (!appendComponents(out.parts, rest, true)) {
        out.status = Status::invalidName;
        return out;
    }
    out.trailingSeparator = !rest.empty() && rest.back() == '\\';
    // A path that does not end in "\" loses the closing spaces and dots of
    // its last name once "." and ".." were applied, as on the platform:
    // "bk ", "bk. ." and "bk \x\.." all name "bk". A name made only of
    // them leaves the path ending in "\" ("bk\..." is "bk\").
    if (!rest.empty() && !out.trailingSeparator && !out.parts.empty()) {
        std::string& last = out.parts.back();
        const std::size_t keep = last.find_last_not_of(". ");
        last.resize(keep == std::string::npos ? 0 : keep + 1);
        if (last.empty()) {
            out.parts.pop_back();
            out.trailingSeparator = true;
        }
    }
    return out;
}

fs::path DriveMap::driveRoot(char drive) const {
    if (upper(drive) == 'C') return root_ / "drive_c";
    const char link[] = {ascii::lower(drive), ':', '\0'};
    return root_ / "dosdevices" / link;
}

HostPath DriveMap::toHost(std::string_view path) const { return toHost(absolute(path)); }

HostPath DriveMap::toHost(const WindowsPath& win) const {
    if (win.status != Status::ok) return {win.status, {}};
    fs::path host = driveRoot(win.drive);
    std::error_code ec;
    if (!fs::is_directory(host, ec)) return {Status::pathNotFound, {}};

    bool lookingUp = true;
    for (const std::string& name : win.parts) {
        if (lookingUp && !fs::exists(fs::symlink_status(host / name, ec))) {
            if (auto found = findIgnoringCase(host, name)) {
                host /= *found;
                continue;
            }
            lookingUp = false;  // nothing below a missing entry can exist
        }
        host /= name;
    }
    if (win.trailingSeparator && !win.parts.empty()) host /= "";
    return {Status::ok, host};
}

void DriveMap::setCurrentDirectory(const WindowsPath& folder) {
    WindowsPath copy = folder;
    copy.trailingSeparator = false;
    current_ = copy.text();
}

}  // namespace orr::platform::posix
