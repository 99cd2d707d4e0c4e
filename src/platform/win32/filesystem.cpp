// The file-system service through the system's own wide file functions.
// Paths are the program's UTF-8, passed as the system resolves them; long
// ones get the "\\?\" prefix (long_path.h), so no 260-character limit
// applies to a backup folder or what lies in it.
#include "platform/services.h"
#include "platform/copy_io.h"

#include "handles.h"
#include "last_error.h"
#include "long_path.h"
#include "system_time.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <limits>

namespace orr::platform {
namespace {

using win32::FileHandle;
using win32::lastStatus;
using win32::narrow;
using win32::systemPath;

// Only the DOS attribute bits are reported; the NT-only ones (not indexed,
// compressed, reparse point, "normal" ...) have no place in the program's
// attribute words and numbers.
constexpr DWORD kReported =
    attr::readOnly | attr::hidden | attr::system | attr::volume | attr::directory | attr::archive;
constexpr DWORD kSettable = attr::readOnly | attr::hidden | attr::system | attr::archive;

std::optional<WIN32_FILE_ATTRIBUTE_DATA> fileData(std::string_view path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(systemPath(path).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return data;
}

// The attributes of an existing entry, or nothing.
std::optional<DWORD> rawAttributes(std::string_view path) {
    const DWORD a = GetFileAttributesW(systemPath(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return a;
}

class Win32OutputFile final : public OutputFile {
public:
    explicit Win32OutputFile(FileHandle h) : h_(std::move(h)) {}

    void write(std::string_view bytes) override {
        if (!h_) throw RunError::badFileName();
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(
                std::min<std::size_t>(bytes.size(), std::numeric_limits<DWORD>::max()));
            DWORD written = 0;
            if (!WriteFile(h_.get(), bytes.data(), chunk, &written, nullptr)) {
                throw lastStatus() == Status::diskFull ? RunError::diskFull()
                                                       : RunError::deviceIo();
            }
            bytes.remove_prefix(written);
        }
    }

    void close() override {
        if (!h_.close()) throw toRunError(lastStatus());
    }

private:
    FileHandle h_;
};

class Win32FileSystem final : public FileSystem {
public:
    // The shell's test stops at 260 characters; a longer path is asked by
    // its attributes.
    bool exists(std::string_view path) override {
        if (path.size() >= win32::kShortPath) return rawAttributes(path).has_value();
        return PathFileExistsW(systemPath(path).c_str()) != FALSE;
    }

    std::optional<std::uint32_t> attributes(std::string_view path) override {
        auto a = rawAttributes(path);
        if (!a) return std::nullopt;
        return *a & kReported;
    }

    Status setAttributes(std::string_view path, std::uint32_t bits) override {
        bits &= kSettable;
        if (!SetFileAttributesW(systemPath(path).c_str(), bits ? bits : FILE_ATTRIBUTE_NORMAL))
            return lastStatus();
        return Status::ok;
    }

    std::vector<DirEntry> list(std::string_view pattern) override {
        std::vector<DirEntry> out;
        WIN32_FIND_DATAW data;
        win32::FindHandle find(systemPath(pattern).c_str(), data);
        if (!find) {
            // A missing folder (or a file named as one) lists nothing.
            const DWORD error = GetLastError();
            const Status s = win32::statusFromError(error);
            if (s == Status::fileNotFound || s == Status::pathNotFound ||
                error == ERROR_NO_MORE_FILES || error == ERROR_DIRECTORY)
                return out;
            throw toRunError(s);
        }
        do {
            const std::string name = narrow(data.cFileName);
            if (name == "." || name == "..") continue;
            out.push_back({name, data.dwFileAttributes & kReported});
        } while (find.next(data));
        if (GetLastError() != ERROR_NO_MORE_FILES) throw toRunError(lastStatus());
        return out;
    }

    std::optional<std::uint64_t> size(std::string_view path) override {
        auto data = fileData(path);
        if (!data) return std::nullopt;
        return (std::uint64_t{data->nFileSizeHigh} << 32) | data->nFileSizeLow;
    }

    std::optional<DateTime> modified(std::string_view path) override {
        auto data = fileData(path);
        if (!data) return std::nullopt;
        FILETIME local;
        SYSTEMTIME st;
        if (!FileTimeToLocalFileTime(&data->ftLastWriteTime, &local) ||
            !FileTimeToSystemTime(&local, &st))
            return std::nullopt;
        return win32::dateTime(st);
    }

    Status setModified(std::string_view path, const DateTime& t) override {
        SYSTEMTIME st = win32::systemTime(t);
        FILETIME local, utc;
        if (!SystemTimeToFileTime(&st, &local) || !LocalFileTimeToFileTime(&local, &utc))
            return Status::ioError;
        // Backup semantics let a folder be opened as well.
        FileHandle h(CreateFileW(systemPath(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!h) return lastStatus();
        if (!SetFileTime(h.get(), nullptr, nullptr, &utc)) return lastStatus();
        return Status::ok;
    }

    Status removeFile(std::string_view path) override {
        if (!DeleteFileW(systemPath(path).c_str())) return lastStatus();
        return Status::ok;
    }

    Status replaceFile(std::string_view from, std::string_view to) override {
        // Windows refuses to move over a read-only file; Wine run as root
        // does not, so that is checked here.
        if (auto a = rawAttributes(to); a && (*a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
            return Status::accessDenied;
        {
            // Profile functions leave the data to the cache: it goes to the
            // medium before the name does.
            FileHandle data(CreateFileW(systemPath(from).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!data || !FlushFileBuffers(data.get())) return lastStatus();
        }
        if (!MoveFileExW(systemPath(from).c_str(), systemPath(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return lastStatus();
        return Status::ok;
    }

    Status copyFile(std::string_view from, std::string_view to) override {
        // Windows refuses to copy over a read-only or hidden file. Wine
        // never checks the hidden bit, and run as root it lets read-only
        // files through too, so the check is made here.
        if (auto a = rawAttributes(to); a && !(*a & FILE_ATTRIBUTE_DIRECTORY) &&
                                        (*a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)))
            return Status::accessDenied;
        if (!CopyFileW(systemPath(from).c_str(), systemPath(to).c_str(), FALSE)) return lastStatus();
        return Status::ok;
    }

    Status makeDirectory(std::string_view path) override {
        if (!CreateDirectoryW(systemPath(path).c_str(), nullptr)) return lastStatus();
        return Status::ok;
    }

    Status removeDirectory(std::string_view path) override {
        if (!RemoveDirectoryW(systemPath(path).c_str())) return lastStatus();
        return Status::ok;
    }

    std::unique_ptr<OutputFile> openOutput(std::string_view path) override {
        // A create-always open on Windows refuses read-only, hidden and
        // system files. Wine lets hidden and system ones through (and
        // read-only ones when run as root), so that is checked here.
        if (auto a = rawAttributes(path);
            a && !(*a & FILE_ATTRIBUTE_DIRECTORY) &&
            (*a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
            throw toRunError(Status::accessDenied);
        FileHandle h(CreateFileW(systemPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!h) throw toRunError(lastStatus());
        return std::make_unique<Win32OutputFile>(std::move(h));
    }

    std::optional<std::string> readFile(std::string_view path) override {
        FileHandle h(CreateFileW(systemPath(path).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!h) return std::nullopt;
        std::string out;
        char buffer[65536];
        for (;;) {
            DWORD n = 0;
            if (!ReadFile(h.get(), buffer, sizeof buffer, &n, nullptr)) return std::nullopt;
            if (n == 0) return out;
            out.append(buffer, n);
        }
    }

    std::optional<std::string> fullPath(std::string_view path) override {
        const std::wstring in = win32::wide(path);
        std::wstring out(MAX_PATH, L'\0');
        for (;;) {
            const DWORD n = GetFullPathNameW(in.c_str(), static_cast<DWORD>(out.size()), out.data(), nullptr);
            if (n == 0) return std::nullopt;
            if (n < out.size()) {
                out.resize(n);
                return narrow(out);
            }
            out.resize(n);
        }
    }

    std::string currentDirectory() override {
        std::string out(MAX_PATH, '\0');
        for (;;) {
            const DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(out.size()), out.data());
            if (n == 0) return {};
            if (n < out.size()) {
                out.resize(n);
                return out;
            }
            out.resize(n);  // n is the size needed, with the terminating NUL
        }
    }

    Status setCurrentDirectory(std::string_view path) override {
        if (!SetCurrentDirectoryA(std::string(path).c_str())) return lastStatus();
        return Status::ok;
    }

    CopyIo& copyIo() override { return *copyIo_; }

    // A named mutex of the session: the wizard and a scheduled command
    // line see the same one, and the system hands it on when its holder
    // ends without letting go (abandoned counts as free). A thread that
    // holds it may claim it again.
    std::unique_ptr<RunClaim> claimRun() override {
        struct Held final : RunClaim {
            explicit Held(HANDLE m) : mutex(m) {}
            ~Held() override { ReleaseMutex(mutex.get()); }
            win32::Owned<HANDLE, CloseHandle> mutex;
        };
        HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Local\\Orrindale.Run");
        if (!mutex) return std::make_unique<RunClaim>();
        switch (WaitForSingleObject(mutex, 0)) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED: return std::make_unique<Held>(mutex);
        case WAIT_TIMEOUT: CloseHandle(mutex); return nullptr;
        default: CloseHandle(mutex); return std::make_unique<RunClaim>();
        }
    }

private:
    std::unique_ptr<CopyIo> copyIo_ = makeCopyIo(*this);
};

}  // namespace

// The drives are real here; the options' root is not needed.
std::unique_ptr<FileSystem> makeFileSystem(const Options&) {
    return std::make_unique<Win32FileSystem>();
}

}  // namespace orr::platform
