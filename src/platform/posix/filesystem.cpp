// The file-system service over a POSIX file system, with the results the
// platform's own functions give (see drive_map.h for how paths map).
#include "platform/services.h"
#include "platform/ascii.h"
#include "platform/copy_io.h"

#include "dos_attributes.h"
#include "drive_map.h"
#include "errno_status.h"
#include "host_paths.h"
#include "unique_fd.h"
#include "wildcard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace orr::platform {
namespace {

namespace fs = std::filesystem;
using posix::DriveMap;
using posix::HostPath;
using posix::UniqueFd;

constexpr std::uint32_t kSettable = attr::readOnly | attr::hidden | attr::system | attr::archive;

std::string leafName(const fs::path& host) {
    return (host.has_filename() ? host : host.parent_path()).filename().string();
}

// stat() that reads a failure as the platform's outcome.
Status statHost(const fs::path& host, struct stat& st) {
    if (::stat(host.c_str(), &st) == 0) return Status::ok;
    const int error = errno;
    return error == ENOENT ? posix::missingStatus(host) : posix::statusFromErrno(error);
}

bool ownerCanWrite(const struct stat& st) { return (st.st_mode & S_IWUSR) != 0; }

// Hidden and system bits set through this service (not the dot-name rule);
// the platform refuses to replace such a file wholesale.
bool storedHiddenOrSystem(const fs::path& host) {
    auto stored = posix::readDosAttrib(host);
    return stored && (*stored & (attr::hidden | attr::system));
}

Status writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return posix::statusFromErrno(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return Status::ok;
}

std::optional<std::string> readAll(int fd) {
    std::string out;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) return out;
        out.append(buffer, static_cast<std::size_t>(n));
    }
}

class PosixOutputFile final : public OutputFile {
public:
    explicit PosixOutputFile(UniqueFd fd) : fd_(std::move(fd)) {}

    void write(std::string_view bytes) override {
        if (!fd_) throw RunError::badFileName();
        if (Status s = writeAll(fd_.get(), bytes); s != Status::ok) {
            throw s == Status::diskFull ? RunError::diskFull() : RunError::deviceIo();
        }
    }

    void close() override {
        if (int error = fd_.close(); error != 0) throw toRunError(posix::statusFromErrno(error));
    }

private:
    UniqueFd fd_;
};

class PosixFileSystem final : public FileSystem, public posix::HostPaths {
public:
    explicit PosixFileSystem(fs::path root)
        : runLock_(root / ".orrindale-run.lock"), map_(std::move(root)), copyIo_(makeCopyIo(*this)) {}

    HostPath hostPath(std::string_view path) override { return map_.toHost(path); }

    bool exists(std::string_view path) override {
        HostPath h = map_.toHost(path);
        struct stat st;
        return h.status == Status::ok && ::stat(h.path.c_str(), &st) == 0;
    }

    std::optional<std::uint32_t> attributes(std::string_view path) override {
        HostPath h = map_.toHost(path);
        struct stat st;
        if (h.status != Status::ok || ::stat(h.path.c_str(), &st) != 0) return std::nullopt;
        return posix::dosAttributes(h.path, st, leafName(h.path));
    }

    Status setAttributes(std::string_view path, std::uint32_t bits) override {
        HostPath h = map_.toHost(path);
        if (h.status != Status::ok) return h.status;
        struct stat st;
        if (Status s = statHost(h.path, st); s != Status::ok) return s;
        bits &= kSettable;

        if (S_ISDIR(st.st_mode))
            return posix::statusFromErrno(
                posix::writeDosAttrib(h.path, bits ? std::optional(bits) : std::nullopt));

        // The extended attribute needs write permission, so the file is made
        // writable first and gets its final mode last.
        const mode_t mode = st.st_mode & 07777;
        const mode_t finalMode =
            (bits & attr::readOnly) ? (mode & ~mode_t{0222}) : (mode | S_IWUSR);
        if (!ownerCanWrite(st) && ::chmod(h.path.c_str(), mode | S_IWUSR) != 0)
            return posix::statusFromErrno(errno);
        const std::uint32_t stored = bits & (attr::hidden | attr::system | attr::archive);
        // An archived file with nothing else is the plain state: nothing stored.
        const int error = posix::writeDosAttrib(
            h.path, stored == attr::archive ? std::nullopt : std::optional(stored));
        if (::chmod(h.path.c_str(), error ? mode : finalMode) != 0 && !error)
            return posix::statusFromErrno(errno);
        return posix::statusFromErrno(error);
    }

    std::vector<DirEntry> list(std::string_view pattern) override {
        std::string p(pattern);
        std::replace(p.begin(), p.end(), '/', '\\');
        std::string folder, name;
        if (auto sep = p.rfind('\\'); sep != std::string::npos) {
            folder = p.substr(0, sep + 1);
            name = p.substr(sep + 1);
        } else if (p.size() >= 2 && p[1] == ':') {
            folder = p.substr(0, 2);
            name = p.substr(2);
        } else {
            folder = ".";
            name = p;
        }
        if (name.empty()) return {};

        HostPath h = map_.toHost(folder);
        if (h.status == Status::pathNotFound) return {};
        if (h.status != Status::ok) throw toRunError(h.status);

        std::error_code ec;
        fs::directory_iterator it(h.path, ec);
        if (ec) {
            if (ec.value() == ENOENT || ec.value() == ENOTDIR) return {};
            throw toRunError(posix::statusFromErrno(ec.value()));
        }
        std::vector<DirEntry> out;
        for (; it != fs::directory_iterator(); it.increment(ec)) {
            std::string entry = it->path().filename().string();
            if (!posix::wildcardMatch(name, entry)) continue;
            // A link to nothing (or round in a circle) and an entry gone
            // meanwhile are left out: their attributes could not be asked
            // for afterwards either. Anything else that keeps an entry from
            // being asked fails the listing rather than hide the entry.
            struct stat st;
            if (::stat(it->path().c_str(), &st) != 0) {
                if (errno == ENOENT || errno == ELOOP) continue;
                throw toRunError(posix::statusFromErrno(errno));
            }
            out.push_back({entry, posix::dosAttributes(it->path(), st, entry)});
        }
        if (ec) throw toRunError(posix::statusFromErrno(ec.value()));

        // The platform's file systems keep names sorted by their upper-case
        // form; the host's order is arbitrary, so sort the same way.
        std::sort(out.begin(), out.end(), [](const DirEntry& a, const DirEntry& b) {
            return ascii::less(a.name, b.name);
        });
        return out;
    }

    std::optional<std::uint64_t> size(std::string_view path) override {
        HostPath h = map_.toHost(path);
        struct stat st;
        if (h.status != Status::ok || ::stat(h.path.c_str(), &st) != 0) return std::nullopt;
        return S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
    }

    std::optional<DateTime> modified(std::string_view path) override {
        HostPath h = map_.toHost(path);
        struct stat st;
        if (h.status != Status::ok || ::stat(h.path.c_str(), &st) != 0) return std::nullopt;
        struct tm local;
        if (!::localtime_r(&st.st_mtime, &local)) return std::nullopt;
        return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                        local.tm_hour,        local.tm_min,     local.tm_sec};
    }

    Status setModified(std::string_view path, const DateTime& t) override {
        HostPath h = map_.toHost(path);
        if (h.status != Status::ok) return h.status;
        struct stat st;
        if (Status s = statHost(h.path, st); s != Status::ok) return s;
        if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour < 0 || t.hour > 23 ||
            t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59)
            return Status::ioError;  // as the platform refuses a time it cannot convert
        struct tm local = {};
        local.tm_year = t.year - 1900;
        local.tm_mon = t.month - 1;
        local.tm_mday = t.day;
        local.tm_hour = t.hour;
        local.tm_min = t.minute;
        local.tm_sec = t.second;
        local.tm_isdst = -1;
        const time_t when = ::mktime(&local);
        struct timespec times[2] = {{0, UTIME_OMIT}, {when, 0}};
        if (::utimensat(AT_FDCWD, h.path.c_str(), times, 0) != 0)
            return posix::statusFromErrno(errno);
        return Status::ok;
    }

    Status replaceFile(std::string_view from, std::string_view to) override {
        HostPath src, dst;
        if (Status s = hostPair(from, to, src, dst); s != Status::ok) return s;
        struct stat st;
        if (::stat(dst.path.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || !ownerCanWrite(st)))
            return Status::accessDenied;
        {
            UniqueFd data(::open(src.path.c_str(), O_RDONLY | O_CLOEXEC));
            if (!data || ::fsync(data.get()) != 0) return posix::statusFromErrno(errno);
        }
        if (::rename(src.path.c_str(), dst.path.c_str()) != 0) return posix::statusFromErrno(errno);
        UniqueFd folder(::open(dst.path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!folder || ::fsync(folder.get()) != 0) return posix::statusFromErrno(errno);
        return Status::ok;
    }

    // Both paths on the host, or the first one's failure.
    Status hostPair(std::string_view from, std::string_view to, HostPath& src, HostPath& dst) {
        src = map_.toHost(from);
        if (src.status != Status::ok) return src.status;
        dst = map_.toHost(to);
        return dst.status;
    }

    Status removeFile(std::string_view path) override {
        HostPath h = map_.toHost(path);
        if (h.status != Status::ok) return h.status;
        struct stat st;
        if (Status s = statHost(h.path, st); s != Status::ok) return s;
        if (S_ISDIR(st.st_mode) || !ownerCanWrite(st)) return Status::accessDenied;
        if (::unlink(h.path.c_str()) != 0) return posix::statusFromErrno(errno);
        return Status::ok;
    }

    Status copyFile(std::string_view from, std::string_view to) override {
        HostPath src, dst;
        if (Status s = hostPair(from, to, src, dst); s != Status::ok) return s;

        struct stat sst;
        if (Status s = statHost(src.path, sst); s != Status::ok) return s;
        if (S_ISDIR(sst.st_mode)) return Status::accessDenied;
        struct stat dst0;
        if (::stat(dst.path.c_str(), &dst0) == 0) {
            if (dst0.st_dev == sst.st_dev && dst0.st_ino == sst.st_ino)
                return Status::sharingViolation;
            // The platform refuses to copy over a folder, a read-only or a hidden file.
            if (S_ISDIR(dst0.st_mode) || !ownerCanWrite(dst0) || storedHiddenOrSystem(dst.path))
                return Status::accessDenied;
        }

        UniqueFd in(::open(src.path.c_str(), O_RDONLY | O_CLOEXEC));
        if (!in) return posix::statusFromErrno(errno);
        UniqueFd out(::open(dst.path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
        if (!out) return errno == ENOENT ? Status::pathNotFound : posix::statusFromErrno(errno);

        char buffer[65536];
        for (;;) {
            ssize_t n = ::read(in.get(), buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return posix::statusFromErrno(errno);
            if (n == 0) break;
            if (Status s = writeAll(out.get(), {buffer, static_cast<std::size_t>(n)});
                s != Status::ok)
                return s;
        }
        // The copy takes the source's attributes and last-write time, as
        // the platform's copy does; the mode goes last, since a read-only
        // mode would refuse the extended attribute.
        posix::writeDosAttrib(out.get(), posix::readDosAttrib(src.path));
        struct timespec times[2] = {{0, UTIME_OMIT}, sst.st_mtim};
        ::futimens(out.get(), times);
        ::fchmod(out.get(), sst.st_mode & 07777);
        return posix::statusFromErrno(out.close());
    }

    Status makeDirectory(std::string_view path) override {
        HostPath h = map_.toHost(path);
        if (h.status != Status::ok) return h.status;
        if (::mkdir(h.path.c_str(), 0777) == 0) return Status::ok;
        return errno == ENOENT ? Status::pathNotFound : posix::statusFromErrno(errno);
    }

    Status removeDirectory(std::string_view path) override {
        HostPath h = map_.toHost(path);
        if (h.status != Status::ok) return h.status;
        struct stat st;
        if (Status s = statHost(h.path, st); s != Status::ok) return s;
        if (!S_ISDIR(st.st_mode)) return Status::accessDenied;
        auto stored = posix::readDosAttrib(h.path);
        if (stored && (*stored & attr::readOnly)) return Status::accessDenied;
        if (::rmdir(h.path.c_str()) == 0) return Status::ok;
        return errno == EEXIST ? Status::notEmpty : posix::statusFromErrno(errno);
    }

    std::unique_ptr<OutputFile> openOutput(std::string_view path) override {
        HostPath h = map_.toHost(path);
        if (h.status != Status::ok) throw toRunError(h.status);
        struct stat st;
        const bool existed = ::stat(h.path.c_str(), &st) == 0;
        // Replacing a file is refused for folders, read-only files and files
        // marked hidden or system, as the platform's create-always open does.
        if (existed && (S_ISDIR(st.st_mode) || !ownerCanWrite(st) || storedHiddenOrSystem(h.path)))
            throw toRunError(Status::accessDenied);
        UniqueFd fd(::open(h.path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
        if (!fd)
            throw toRunError(errno == ENOENT ? Status::pathNotFound
                                             : posix::statusFromErrno(errno));
        if (existed) posix::writeDosAttrib(fd.get(), std::nullopt);  // a replaced file starts plain
        return std::make_unique<PosixOutputFile>(std::move(fd));
    }

    std::optional<std::string> readFile(std::string_view path) override {
        HostPath h = map_.toHost(path);
        if (h.status != Status::ok) return std::nullopt;
        UniqueFd fd(::open(h.path.c_str(), O_RDONLY | O_CLOEXEC));
        struct stat st;
        if (!fd || ::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
        return readAll(fd.get());
    }

    std::optional<std::string> fullPath(std::string_view path) override {
        const posix::WindowsPath win = map_.absolute(path);
        if (win.status != Status::ok) return std::nullopt;
        return win.text();
    }

    std::string currentDirectory() override { return map_.currentDirectory(); }

    Status setCurrentDirectory(std::string_view path) override {
        posix::WindowsPath win = map_.absolute(path);
        HostPath h = map_.toHost(win);
        if (h.status != Status::ok) return h.status;
        struct stat st;
        if (Status s = statHost(h.path, st); s != Status::ok) return s;
        if (!S_ISDIR(st.st_mode)) return Status::accessDenied;
        map_.setCurrentDirectory(win);
        return Status::ok;
    }

    CopyIo& copyIo() override { return *copyIo_; }

    // An flock on a file of the prefix: every program working on these
    // drives sees it, and the system lets go when the holder ends, however
    // it ends. Each claim opens the file anew, so a second claim in this
    // process is refused too, whichever thread asks.
    std::unique_ptr<RunClaim> claimRun() override {
        struct Held final : RunClaim {
            explicit Held(UniqueFd f) : fd(std::move(f)) {}
            UniqueFd fd;
        };
        UniqueFd fd(::open(runLock_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
        if (!fd) return std::make_unique<RunClaim>();
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
            return errno == EWOULDBLOCK ? nullptr : std::make_unique<RunClaim>();
        return std::make_unique<Held>(std::move(fd));
    }

private:
    fs::path runLock_;
    DriveMap map_;
    std::unique_ptr<CopyIo> copyIo_;  // over map_, which it only reads
};

}  // namespace

std::unique_ptr<FileSystem> makeFileSystem(const Options& options) {
    return std::make_unique<PosixFileSystem>(posix::prefixRoot(options.root));
}

}  // namespace orr::platform
