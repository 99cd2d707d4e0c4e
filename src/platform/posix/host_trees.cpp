// The folder copy straight on the host: one listing of the source, then
// per file an open of each side, an in-kernel copy of the bytes, the DOS
// attributes, the time and the mode. Names are matched without regard to
// ASCII letter case only in destination folders that existed before (new
// ones hold exactly what the copy puts there).
#include "copy_trees.h"

#include "errno_status.h"
#include "unique_fd.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace orr::platform::posix {
namespace {

namespace fs = std::filesystem;

// Where the posix file-system service keeps the DOS attribute bits.
constexpr const char* kDosAttrib = "user.DOSATTRIB";

std::string upperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
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

struct Entry {
    std::string name;
    bool folder;
    std::uint64_t bytes;
};

// One folder of the copy, on both sides.
struct Folder {
    std::string source;
    std::string target;
    bool existed = false;  // the target was there before the copy
    bool indexed = false;
    std::unordered_set<std::string> names;
    std::unordered_map<std::string, std::string> byUpper;
};

class HostTrees final : public CopyTrees {
public:
    HostTrees(fs::path source, fs::path destination, fs::path inside)
        : source_(std::move(source)), destination_(std::move(destination)), inside_(std::move(inside)) {
        struct stat st;
        destinationIsFolder_ = ::stat(destination_.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        folders_.resize(1);
        folders_[0].source = source_.string();
    }

    Status scan() override {
        items.clear();
        slot_.clear();
        struct stat st;
        if (::stat(source_.c_str(), &st) != 0) return fail("", errno);
        if (!S_ISDIR(st.st_mode)) return fail("", ENOTDIR);
        std::vector<std::pair<dev_t, ino_t>> ancestors{{st.st_dev, st.st_ino}};
        return scanFolder(0, CopyItem::top, ancestors);
    }

    Status makeLanding() override {
        Folder& root = folders_[0];
        if (!destinationIsFolder_) {
            struct stat st;
            if (::stat(destination_.c_str(), &st) == 0) return fail("", EACCES);  // a file
            std::error_code ec;
            fs::create_directories(destination_, ec);
            if (ec) return fail("", ec.value());
        }
        root.target = inside_.string();
        return makeTarget(root, "");
    }

    Status makeFolder(std::size_t i) override {
        const CopyItem& item = items[i];
        Folder& parent = folderOf(item.parent);
        Folder& folder = folders_[slot_[i]];
        folder.target = parent.target + '/' + targetName(parent, item.name);
        return makeTarget(folder, item.name);
    }

    Status copyFile(std::size_t i) override {
        const CopyItem& item = items[i];
        Folder& parent = folderOf(item.parent);
        const std::string from = parent.source + '/' + item.name;
        const std::string to = parent.target + '/' + targetName(parent, item.name);

        UniqueFd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
        struct stat st;
        if (!in || ::fstat(in.get(), &st) != 0) return fail(item.name, errno);

        bool replaced = false;
        UniqueFd out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (!out && errno == EEXIST) {
            replaced = true;
            out = openExisting(to);
            if (!out) return fail(item.name, errno);
            struct stat old;
            if (::fstat(out.get(), &old) != 0) return fail(item.name, errno);
            if (old.st_dev == st.st_dev && old.st_ino == st.st_ino) {
                failedName = item.name;
                return Status::sharingViolation;  // the same file: truncating would lose it
            }
            if (::ftruncate(out.get(), 0) != 0) return fail(item.name, errno);
        }
        if (!out) return fail(item.name, errno);

        if (int error = copyBytes(in.get(), out.get(), static_cast<std::uint64_t>(st.st_size)))
            return fail(item.name, error);

        // The copy takes the source's attributes (a replaced file loses its
        // own), its times and its mode; the mode last, as a read-only one
        // would refuse the others by path.
        char bits[64];
        const ssize_t n = ::fgetxattr(in.get(), kDosAttrib, bits, sizeof bits);
        if (n >= 0)
            ::fsetxattr(out.get(), kDosAttrib, bits, static_cast<std::size_t>(n), 0);
        else if (replaced)
            ::fremovexattr(out.get(), kDosAttrib);
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out.get(), times);
        ::fchmod(out.get(), st.st_mode & 07777);
        if (int error = out.close()) return fail(item.name, error);
        return Status::ok;
    }

private:

    Folder& folderOf(std::size_t item) { return folders_[item == CopyItem::top ? 0 : slot_[item]]; }

    Status fail(const std::string& name, int error) {
        failedName = name;
        return error == ENOENT ? Status::fileNotFound : statusFromErrno(error);
    }

    Status scanFolder(std::size_t slot, std::size_t parentItem,
                      std::vector<std::pair<dev_t, ino_t>>& ancestors) {
        std::vector<Entry> entries;
        std::vector<std::pair<dev_t, ino_t>> ids;
        {
            const std::string path = folders_[slot].source;
            DirStream dir(path);
            if (!dir.get())
                return fail(parentItem == CopyItem::top ? "" : items[parentItem].name, errno);
            const int fd = ::dirfd(dir.get());
            while (const dirent* e = ::readdir(dir.get())) {
                const std::string_view name = e->d_name;
                if (name == "." || name == "..") continue;
                struct stat st;
                // Links count as what they point to; dangling ones, devices
                // and the like are no files of the platform's.
                if (::fstatat(fd, e->d_name, &st, 0) != 0) continue;
                if (S_ISDIR(st.st_mode)) {
                    const std::pair<dev_t, ino_t> id{st.st_dev, st.st_ino};
                    // A link back up the tree would never end.
                    if (std::find(ancestors.begin(), ancestors.end(), id) != ancestors.end())
                        continue;
                    entries.push_back({std::string(name), true, 0});
                    ids.push_back(id);
                } else if (S_ISREG(st.st_mode)) {
                    entries.push_back({std::string(name), false, static_cast<std::uint64_t>(st.st_size)});
                    ids.push_back({});
                }
            }
        }
        // The platform's order: by the names' upper-case form.
        std::vector<std::size_t> order(entries.size());
        for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const std::string ua = upperAscii(entries[a].name), ub = upperAscii(entries[b].name);
            return ua != ub ? ua < ub : entries[a].name < entries[b].name;
        });

        for (std::size_t k : order) {
            Entry& e = entries[k];
            const std::size_t index = items.size();
            items.push_back({parentItem, e.name, e.folder, e.bytes});
            if (!e.folder) {
                slot_.push_back(0);
                continue;
            }
            const std::size_t child = folders_.size();
            slot_.push_back(child);
            folders_.emplace_back();
            folders_[child].source = folders_[slot].source + '/' + e.name;
            ancestors.push_back(ids[k]);
            const Status s = scanFolder(child, index, ancestors);
            ancestors.pop_back();
            if (s != Status::ok) return s;
        }
        return Status::ok;
    }

    // Makes a folder's target, or merges into the folder already there.
    Status makeTarget(Folder& folder, const std::string& name) {
        if (::mkdir(folder.target.c_str(), 0777) == 0) {
            copyFolderAttributes(folder);
            return Status::ok;
        }
        const int error = errno;
        struct stat st;
        if (error == EEXIST && ::stat(folder.target.c_str(), &st) == 0) {
            if (!S_ISDIR(st.st_mode)) {
                failedName = name;
                return Status::accessDenied;  // a file has the folder's name
            }
            folder.existed = true;
            return Status::ok;
        }
        return fail(name, error);
    }

    static void copyFolderAttributes(const Folder& folder) {
        char bits[64];
        const ssize_t n = ::getxattr(folder.source.c_str(), kDosAttrib, bits, sizeof bits);
        if (n >= 0) ::setxattr(folder.target.c_str(), kDosAttrib, bits, static_cast<std::size_t>(n), 0);
    }

    // The name an entry takes in a target folder: the existing entry's own
    // spelling when one differs only in letter case.
    static std::string targetName(Folder& folder, const std::string& name) {
        if (!folder.existed) return name;
        if (!folder.indexed) {
            folder.indexed = true;
            DirStream dir(folder.target);
            if (dir.get()) {
                while (const dirent* e = ::readdir(dir.get())) {
                    std::string entry = e->d_name;
                    if (entry == "." || entry == "..") continue;
                    folder.byUpper.emplace(upperAscii(entry), entry);
                    folder.names.insert(std::move(entry));
                }
            }
        }
        if (folder.names.count(name)) return name;
        auto it = folder.byUpper.find(upperAscii(name));
        return it != folder.byUpper.end() ? it->second : name;
    }

    // An existing target opened for writing; a read-only one is made
    // writable first (the copy gives it the source's mode afterwards).
    static UniqueFd openExisting(const std::string& path) {
        UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
        if (!fd && errno == EACCES) {
            struct stat st;
            if (::stat(path.c_str(), &st) == 0 && ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0)
                fd = UniqueFd(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
            if (!fd) errno = EACCES;
        }
        return fd;
    }

    // The first `size` bytes of `in` to `out`: in the kernel where the two
    // file systems allow it, else through a buffer. 0 or the error number.
    int copyBytes(int in, int out, std::uint64_t size) {
        std::uint64_t left = size;
        while (left > 0) {
            const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, left, 0);
            if (n > 0) {
                left -= static_cast<std::uint64_t>(n);
                continue;
            }
            if (n == 0) return 0;  // the file shrank meanwhile
            if (errno == EINTR) continue;
            if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP ||
                errno == EBADF)
                return copyThroughBuffer(in, out);
            return errno;
        }
        return 0;
    }

    int copyThroughBuffer(int in, int out) {
        buffer_.resize(1 << 17);
        for (;;) {
            const ssize_t n = ::read(in, buffer_.data(), buffer_.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return errno;
            if (n == 0) return 0;
            for (ssize_t done = 0; done < n;) {
                const ssize_t w = ::write(out, buffer_.data() + done, static_cast<std::size_t>(n - done));
                if (w < 0 && errno == EINTR) continue;
                if (w < 0) return errno;
                done += w;
            }
        }
    }

    fs::path source_, destination_, inside_;
    bool destinationIsFolder_ = false;
    std::vector<Folder> folders_;  // [0] is the copied folder itself
    std::vector<std::size_t> slot_;  // per item: its Folder (folders only)
    std::vector<char> buffer_;
};

}  // namespace

std::unique_ptr<CopyTrees> hostTrees(fs::path source, fs::path destination, fs::path inside) {
    return std::make_unique<HostTrees>(std::move(source), std::move(destination), std::move(inside));
}

}  // namespace orr::platform::posix
