// The copy's file operations on POSIX: host paths through the file-system
// service's drive map; DOS attributes in the same extended attribute the
// service keeps them in; each file's data flushed before its rename, one
// syncfs at the end for the renames.
#include "platform/copy_io.h"

#include "errno_status.h"
#include "host_paths.h"
#include "platform/filesystem.h"
#include "unique_fd.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace orr::platform {
namespace {

using posix::UniqueFd;

// Where the file-system service keeps the DOS attribute bits.
constexpr const char* kDosAttrib = "user.DOSATTRIB";

Status fromErrno(int error) { return posix::statusFromErrno(error); }
Status lastError() { return fromErrno(errno); }

NodeInfo infoOf(const struct stat& st) {
    NodeInfo info;
    info.kind = S_ISLNK(st.st_mode)   ? NodeKind::link
                : S_ISDIR(st.st_mode) ? NodeKind::folder
                : S_ISREG(st.st_mode) ? NodeKind::file
                                      : NodeKind::other;
    info.size = info.kind == NodeKind::file ? static_cast<std::uint64_t>(st.st_size) : 0;
    info.volume = static_cast<std::uint64_t>(st.st_dev);
    info.id = static_cast<std::uint64_t>(st.st_ino);
    return info;
}

class DirStream {
public:
    explicit DirStream(const std::string& path) : d_(::opendir(path.c_str())) {}
    ~DirStream() {
        if (d_) ::closedir(d_);
    }
    DirStream(const DirStream&) = delete;
    DirStream& operator=(const DirStream&) = delete;
    DIR* get() const { return d_; }

private:
    DIR* d_;
};

class PosixRead final : public ReadStream {
public:
    PosixRead(UniqueFd fd, FileMeta meta) : fd_(std::move(fd)), meta_(std::move(meta)) {}
    Status read(std::span<char> into, std::size_t& got) override {
        for (;;) {
            const ssize_t n = ::read(fd_.get(), into.data(), into.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return lastError();
            got = static_cast<std::size_t>(n);
            return Status::ok;
        }
    }
    const FileMeta& meta() const override { return meta_; }

private:
    UniqueFd fd_;
    FileMeta meta_;
};

class PosixWrite final : public WriteStream {
public:
    PosixWrite(UniqueFd fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {}
    Status write(std::span<const char> bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_.get(), bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return lastError();
            bytes = bytes.subspan(static_cast<std::size_t>(n));
        }
        return Status::ok;
    }
    // The data is on the medium before the file may replace another: a
    // power cut after the rename finds the new file whole, not empty. The
    // rename itself and the times are made durable by sync().
    Status flush() override {
        while (::fdatasync(fd_.get()) != 0)
            if (errno != EINTR) return lastError();
        return Status::ok;
    }
    Status readBack(std::uint64_t offset, std::span<char> into, std::size_t& got) override {
        for (;;) {
            const ssize_t n = ::pread(fd_.get(), into.data(), into.size(), static_cast<off_t>(offset));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return lastError();
            got = static_cast<std::size_t>(n);
            return Status::ok;
        }
    }
    Status close(const FileMeta* meta) override {
        if (meta)
            if (Status s = finish(*meta); s != Status::ok) return s;
        if (int error = fd_.close()) return fromErrno(error);
        return Status::ok;
    }
    Status finish(const FileMeta& meta) override {
        // A new file has no attribute record of its own to lose.
        if (!meta.dosAttrib.empty())
            ::fsetxattr(fd_.get(), kDosAttrib, meta.dosAttrib.data(), meta.dosAttrib.size(), 0);
        const struct timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(meta.modified), meta.modifiedNs}};
        if (::futimens(fd_.get(), times) != 0) return lastError();
        if (::fchmod(fd_.get(), meta.mode & 07777) != 0) return lastError();
        return Status::ok;
    }
    // POSIX renames by name; the descriptor goes after the rename, so that
    // a failed one leaves the file as it was.
    Status placeOver(const std::string& to) override {
        if (::rename(path_.c_str(), to.c_str()) != 0) return lastError();
        if (int error = fd_.close()) return fromErrno(error);
        return Status::ok;
    }

private:
    UniqueFd fd_;
    std::string path_;
};

class PosixCopyIo final : public CopyIo {
public:
    explicit PosixCopyIo(posix::HostPaths& paths) : paths_(paths) {}

    Status native(std::string_view windowsPath, std::string& out) override {
        const posix::HostPath h = paths_.hostPath(windowsPath);
        if (h.status != Status::ok) return h.status;
        out = h.path.string();
        while (out.size() > 1 && out.back() == '/') out.pop_back();
        return Status::ok;
    }
    std::string join(const std::string& folder, std::string_view name) override {
        return folder.ends_with('/') ? folder + std::string(name) : folder + '/' + std::string(name);
    }
    std::string parent(const std::string& path) override {
        const auto at = path.find_last_of('/');
        if (at == std::string::npos || path == "/") return {};
        return at == 0 ? "/" : path.substr(0, at);
    }
    Status realPath(const std::string& path, std::string& out) override {
        char buffer[PATH_MAX];
        if (!::realpath(path.c_str(), buffer)) return lastError();
        out = buffer;
        return Status::ok;
    }
    bool samePath(std::string_view a, std::string_view b) override { return a == b; }

    Status stat(const std::string& path, NodeInfo& info) override {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0) return lastError();
        info = infoOf(st);
        return Status::ok;
    }
    Status identity(const std::string& path, NodeInfo& info) override {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0) return lastError();
        info = infoOf(st);
        return Status::ok;
    }
    Status list(const std::string& folder, std::vector<NamedNode>& out) override {
        out.clear();
        DirStream dir(folder);
        if (!dir.get()) return lastError();
        const int fd = ::dirfd(dir.get());
        for (;;) {
            errno = 0;  // readdir tells its end from a failure only by errno
            const dirent* e = ::readdir(dir.get());
            if (!e) return errno == 0 ? Status::ok : lastError();
            const std::string_view name = e->d_name;
            if (name == "." || name == "..") continue;
            struct stat st;
            if (::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                out.push_back({std::string(name), infoOf(st)});
            } else if (errno != ENOENT) {  // ENOENT: gone since it was listed, nothing to copy
                out.push_back({std::string(name), {}, lastError()});
            }
        }
    }

    Status openRead(const std::string& path, std::unique_ptr<ReadStream>& out, bool withMeta) override {
        UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (!fd) return lastError();
        FileMeta meta;
        if (!withMeta) {
            out = std::make_unique<PosixRead>(std::move(fd), std::move(meta));
            return Status::ok;
        }
        struct stat st;
        if (::fstat(fd.get(), &st) != 0) return lastError();
        meta.modified = st.st_mtim.tv_sec;
        meta.modifiedNs = st.st_mtim.tv_nsec;
        meta.mode = st.st_mode;
        char bits[64];
        const ssize_t n = ::fgetxattr(fd.get(), kDosAttrib, bits, sizeof bits);
        if (n > 0) meta.dosAttrib.assign(bits, static_cast<std::size_t>(n));
        out = std::make_unique<PosixRead>(std::move(fd), std::move(meta));
        return Status::ok;
    }
    Status createNew(const std::string& path, std::unique_ptr<WriteStream>& out) override {
        UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (!fd) return lastError();
        out = std::make_unique<PosixWrite>(std::move(fd), path);
        return Status::ok;
    }
    Status copyFolderAttributes(const std::string& from, const std::string& to) override {
        char bits[64];
        const ssize_t n = ::getxattr(from.c_str(), kDosAttrib, bits, sizeof bits);
        if (n > 0 && ::setxattr(to.c_str(), kDosAttrib, bits, static_cast<std::size_t>(n), 0) != 0)
            return lastError();
        return Status::ok;
    }
    Status copyLink(const std::string& from, const std::string& to) override {
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(from.c_str(), target.data(), target.size());
        if (n < 0) return lastError();
        target.resize(static_cast<std::size_t>(n));
        if (::symlink(target.c_str(), to.c_str()) != 0) return lastError();
        return Status::ok;
    }
    // A read-only target is no obstacle here: renaming needs only the
    // folder's permission.
    Status rename(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? Status::ok : lastError();
    }
    // A file system without RENAME_NOREPLACE is asked first; nothing else
    // writes into the folders this is used on while a copy runs.
    Status move(const std::string& from, const std::string& to) override {
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return Status::ok;
        if (errno != EINVAL && errno != ENOSYS) return lastError();
        struct stat st;
        if (::lstat(to.c_str(), &st) == 0) return Status::alreadyExists;
        return rename(from, to);
    }
    Status hardLink(const std::string& existing, const std::string& link) override {
        return ::link(existing.c_str(), link.c_str()) == 0 ? Status::ok : lastError();
    }
    Status makeFolder(const std::string& path) override {
        return ::mkdir(path.c_str(), 0777) == 0 ? Status::ok : lastError();
    }
    Status removeFile(const std::string& path) override {
        return ::unlink(path.c_str()) == 0 ? Status::ok : lastError();
    }
    Status freeSpace(const std::string& path, std::uint64_t& bytes) override {
        struct statvfs vfs;
        if (::statvfs(path.c_str(), &vfs) != 0) return lastError();
        bytes = static_cast<std::uint64_t>(vfs.f_bavail) * vfs.f_frsize;
        return Status::ok;
    }
    Status sync(const std::string& path) override {
        UniqueFd fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!fd) return lastError();
        return ::syncfs(fd.get()) == 0 ? Status::ok : lastError();
    }

private:
    posix::HostPaths& paths_;
};

}  // namespace

std::unique_ptr<CopyIo> makeCopyIo(FileSystem& files) {
    auto* paths = dynamic_cast<posix::HostPaths*>(&files);
    // Only this tree's own service knows where its drives lie.
    if (!paths) throw std::logic_error("the folder copy needs the file-system service of this OS");
    return std::make_unique<PosixCopyIo>(*paths);
}

}  // namespace orr::platform
