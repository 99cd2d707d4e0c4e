#include "dos_attributes.h"

#include "platform/filesystem.h"

#include <sys/xattr.h>

#include <cerrno>
#include <charconv>
#include <cstdio>

namespace orr::platform::posix {
namespace {

constexpr const char* kName = "user.DOSATTRIB";

std::optional<std::uint32_t> parse(const char* data, ssize_t len) {
    if (len <= 2 || data[0] != '0' || (data[1] != 'x' && data[1] != 'X')) return std::nullopt;
    const char* end = data + len;
    while (end > data + 2 && end[-1] == '\0') --end;  // Samba ends the text with NUL
    std::uint32_t value = 0;
    auto [ptr, ec] = std::from_chars(data + 2, end, value, 16);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

std::string format(std::uint32_t bits) {
    char text[16];
    int n = std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(bits));
    return std::string(text, static_cast<std::size_t>(n));
}

int outcome(int rc) {
    if (rc == 0) return 0;
    if (errno == ENODATA || errno == ENOTSUP) return 0;  // nothing to remove / nowhere to keep it
    return errno;
}

}  // namespace

std::optional<std::uint32_t> readDosAttrib(const std::filesystem::path& host) {
    char data[64];
    ssize_t len = ::getxattr(host.c_str(), kName, data, sizeof data);
    if (len < 0) return std::nullopt;
    return parse(data, len);
}

int writeDosAttrib(const std::filesystem::path& host, std::optional<std::uint32_t> bits) {
    if (!bits) return outcome(::removexattr(host.c_str(), kName));
    const std::string text = format(*bits);
    return outcome(::setxattr(host.c_str(), kName, text.data(), text.size(), 0));
}

int writeDosAttrib(int fd, std::optional<std::uint32_t> bits) {
    if (!bits) return outcome(::fremovexattr(fd, kName));
    const std::string text = format(*bits);
    return outcome(::fsetxattr(fd, kName, text.data(), text.size(), 0));
}

std::uint32_t dosAttributes(const std::filesystem::path& host, const struct stat& st,
                            std::string_view name) {
    const std::optional<std::uint32_t> stored = readDosAttrib(host);
    std::uint32_t bits = 0;
    if (S_ISDIR(st.st_mode)) {
        bits = attr::directory;
        if (stored)
            bits |= *stored & (attr::readOnly | attr::hidden | attr::system | attr::archive);
    } else {
        bits = stored ? *stored & (attr::hidden | attr::system | attr::archive) : attr::archive;
        if (!(st.st_mode & S_IWUSR)) bits |= attr::readOnly;
    }
    if (name.size() > 1 && name[0] == '.' && name != "..") bits |= attr::hidden;
    return bits;
}

}  // namespace orr::platform::posix
