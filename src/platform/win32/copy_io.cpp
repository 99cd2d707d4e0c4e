// The copy's file operations on Windows: the program's UTF-8 paths become
// UTF-16 "\\?\" paths here, at the edge, so the wide functions take paths
// of any length. Each file is flushed before it is renamed into place:
// FlushFileBuffers is the one documented way to have its data on the
// medium before the rename replaces the old file.
#include "platform/copy_io.h"

#include "handles.h"
#include "last_error.h"
#include "long_path.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

namespace orr::platform {
namespace {

using win32::FileHandle;
using win32::lastStatus;

using win32::narrow;
using win32::wide;

constexpr DWORD kDosBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                           FILE_ATTRIBUTE_ARCHIVE;

NodeKind kindOf(DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return attributes & FILE_ATTRIBUTE_REPARSE_POINT ? NodeKind::folderLink : NodeKind::folder;
    return attributes & FILE_ATTRIBUTE_DEVICE ? NodeKind::other : NodeKind::file;
}

std::uint64_t join64(DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; }

class Win32Read final : public ReadStream {
public:
    Win32Read(FileHandle h, FileMeta meta) : h_(std::move(h)), meta_(std::move(meta)) {}
    Status read(std::span<char> into, std::size_t& got) override {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(into.size(), 1u << 30));
        if (!ReadFile(h_.get(), into.data(), want, &n, nullptr)) return lastStatus();
        got = n;
        return Status::ok;
    }
    const FileMeta& meta() const override { return meta_; }

private:
    FileHandle h_;
    FileMeta meta_;
};

struct SearchHandle {
    explicit SearchHandle(HANDLE handle) : h(handle) {}
    ~SearchHandle() {
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
    }
    SearchHandle(const SearchHandle&) = delete;
    SearchHandle& operator=(const SearchHandle&) = delete;
    HANDLE h;
};

// A name of this process and thread for a file held during a rename, in
// the form of the copy's temporary files, so that a copy clears it should
// the program end before it goes.
std::string heldName() {
    char run[17];
    std::snprintf(run, sizeof run, "%08lx%08lx", GetCurrentProcessId(), GetCurrentThreadId());
    return std::string("~orrindale-") + run + "-1.tmp";
}

// Removes one name of a file. A read-only bit is cleared for that through
// a handle and given back through it before it closes: the bits belong to
// the file, not the name, so another name of it (a replaced game file kept
// in the undo folder by a hard link) keeps them; `bits` (when not 0) are
// given back instead of those it has now.
Status removeName(const std::wstring& path, DWORD bits = 0) {
    FileHandle h(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!h || !GetFileInformationByHandle(h.get(), &info)) return lastStatus();
    if (bits == 0) bits = info.dwFileAttributes;
    FILE_BASIC_INFO basic{};  // zero times: left as they are
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(h.get(), FileBasicInfo, &basic, sizeof basic)) return lastStatus();
    FILE_DISPOSITION_INFO gone{TRUE};
    const bool removed = SetFileInformationByHandle(h.get(), FileDispositionInfo, &gone, sizeof gone);
    const DWORD error = GetLastError();
    const bool shared = !removed || info.nNumberOfLinks > 1;  // alone, its bits go with it
    basic.FileAttributes = (bits & kDosBits) ? bits & kDosBits : FILE_ATTRIBUTE_NORMAL;
    if (shared && !SetFileInformationByHandle(h.get(), FileBasicInfo, &basic, sizeof basic)) return lastStatus();
    if (!removed) return win32::statusFromError(error);
    return h.close() ? Status::ok : lastStatus();
}

// Renames onto `to`, replacing it, through `renameOnto` (a move by name or
// by handle). Windows refuses to replace a read-only file, and a handle
// held on it would refuse the rename too: its bits are cleared for the
// rename. They belong to the file, which may have another name (a kept
// copy), so a name of our own holds the old file meanwhile; removing that
// name gives the bits back (removeName). Where no links are to be had
// (FAT), no other name can share them.
template <class RenameOnto>
Status replacing(const std::wstring& wt, const std::string& heldPath, const RenameOnto& renameOnto) {
    if (renameOnto()) return Status::ok;
    const DWORD error = GetLastError();
    const DWORD a = GetFileAttributesW(wt.c_str());
    if (error != ERROR_ACCESS_DENIED || a == INVALID_FILE_ATTRIBUTES ||
        !(a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
        return win32::statusFromError(error);
    const std::wstring held = wide(heldPath);
    const bool holding = CreateHardLinkW(held.c_str(), wt.c_str(), nullptr);
    Status s = win32::statusFromError(error);
    if (SetFileAttributesW(wt.c_str(), FILE_ATTRIBUTE_NORMAL)) {
        s = renameOnto() ? Status::ok : lastStatus();
        if (s != Status::ok && !holding) SetFileAttributesW(wt.c_str(), a);
    }
    // Deliberately the rename's outcome alone: a held name that cannot go
    // is a leftover temporary, cleared (its bits kept) by the next copy.
    if (holding) static_cast<void>(removeName(held, a));
    return s;
}

// The held name of replacing() for `to`: in its folder.
std::string heldBeside(const std::string& to) {
    return to.substr(0, to.find_last_of('\\') + 1) + heldName();
}

class Win32Write final : public WriteStream {
public:
    explicit Win32Write(FileHandle h) : h_(std::move(h)) {}
    Status write(std::span<const char> bytes) override {
        while (!bytes.empty()) {
            DWORD n = 0;
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
            if (!WriteFile(h_.get(), bytes.data(), want, &n, nullptr)) return lastStatus();
            at_ += n;
            bytes = bytes.subspan(n);
        }
        return Status::ok;
    }
    Status flush() override { return FlushFileBuffers(h_.get()) ? Status::ok : lastStatus(); }
    // Read back from where the handle is moved to, then on from there: a
    // read given an OVERLAPPED position costs Wine a completion request to
    // its server every time, which a plain read does not.
    Status readBack(std::uint64_t offset, std::span<char> into, std::size_t& got) override {
        if (offset != at_) {
            LARGE_INTEGER to;
            to.QuadPart = static_cast<LONGLONG>(offset);
            if (!SetFilePointerEx(h_.get(), to, nullptr, FILE_BEGIN)) return lastStatus();
            at_ = offset;
        }
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(into.size(), 1u << 30));
        if (!ReadFile(h_.get(), into.data(), want, &n, nullptr)) return lastStatus();
        at_ += n;
        got = n;
        return Status::ok;
    }
    Status close(const FileMeta* meta) override {
        if (meta)
            if (Status s = finish(*meta); s != Status::ok) return s;
        if (!h_.close()) return lastStatus();
        return Status::ok;
    }
    // Time and attributes in one call on the open handle: the data is
    // written by then, and the file is not looked up by name again.
    Status finish(const FileMeta& meta) override {
        FILE_BASIC_INFO info{};  // zero: left as it is
        info.LastWriteTime.QuadPart = meta.modified;
        info.FileAttributes = meta.attributes ? meta.attributes : FILE_ATTRIBUTE_NORMAL;
        return SetFileInformationByHandle(h_.get(), FileBasicInfo, &info, sizeof info) ? Status::ok : lastStatus();
    }
    // The rename by the handle the file was written through (opened with
    // DELETE for this): no second open by name, no second close. The name
    // is a "\\?\" path, which the call turns into the system's own form.
    Status placeOver(const std::string& to) override {
        const std::wstring wt = wide(to);
        const DWORD bytes = static_cast<DWORD>(wt.size() * sizeof(WCHAR));
        std::vector<std::byte> buffer(offsetof(FILE_RENAME_INFO, FileName) + bytes + sizeof(WCHAR));
        auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
        info->ReplaceIfExists = TRUE;
        info->RootDirectory = nullptr;
        info->FileNameLength = bytes;
        std::memcpy(info->FileName, wt.c_str(), bytes + sizeof(WCHAR));
        const auto byHandle = [&] {
            return SetFileInformationByHandle(h_.get(), FileRenameInfo, info, static_cast<DWORD>(buffer.size()));
        };
        if (Status s = replacing(wt, heldBeside(to), byHandle); s != Status::ok) return s;
        return h_.close() ? Status::ok : lastStatus();
    }

private:
    FileHandle h_;
    std::uint64_t at_ = 0;  // where the handle's file pointer is
};

FileHandle openAny(const std::string& path, DWORD flags) {
    return FileHandle(CreateFileW(wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr));
}

class Win32CopyIo final : public CopyIo {
public:
    Status native(std::string_view windowsPath, std::string& out) override {
        if (windowsPath.empty()) return Status::pathNotFound;
        std::wstring full = win32::extendedPath(windowsPath);
        if (full.empty()) return lastStatus();
        // Not below the root: "\\?\C:\".
        while (full.size() > 7 && full.back() == L'\\') full.pop_back();
        out = narrow(full);
        return Status::ok;
    }
    std::string join(const std::string& folder, std::string_view name) override {
        return folder.ends_with('\\') ? folder + std::string(name) : folder + '\\' + std::string(name);
    }
    // Never above the root: "\\?\C:\" or "\\?\UNC\server\share".
    std::string parent(const std::string& path) override {
        std::size_t root = 7;  // "\\?\C:\"
        if (path.starts_with("\\\\?\\UNC\\")) {
            root = path.find('\\', 8);
            root = root == std::string::npos ? path.size() : path.find('\\', root + 1);
            if (root == std::string::npos) root = path.size();
        }
        if (path.size() <= root) return {};
        const std::size_t at = path.find_last_of('\\');
        return at < root ? path.substr(0, root) : path.substr(0, at);
    }
    Status realPath(const std::string& path, std::string& out) override {
        const FileHandle h = openAny(path, 0);
        if (!h) return lastStatus();
        // The longest path the system has, so that one call does.
        std::wstring final(32768, L'\0');
        const DWORD n = GetFinalPathNameByHandleW(h.get(), final.data(), static_cast<DWORD>(final.size()),
                                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0 || n >= final.size()) {
            // Deliberate: the path as given (it exists) rather than no copy;
            // only a mapped drive or link onto the source then goes unseen.
            out = path;
            return Status::ok;
        }
        final.resize(n);
        out = narrow(final);
        return Status::ok;
    }
    bool samePath(std::string_view a, std::string_view b) override {
        const std::wstring wa = wide(a), wb = wide(b);
        return CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(), static_cast<int>(wb.size()),
                                    TRUE) == CSTR_EQUAL;
    }

    Status stat(const std::string& path, NodeInfo& info) override {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data)) return lastStatus();
        info = {};
        info.kind = kindOf(data.dwFileAttributes);
        if (info.kind == NodeKind::file) info.size = join64(data.nFileSizeHigh, data.nFileSizeLow);
        return Status::ok;
    }
    Status identity(const std::string& path, NodeInfo& info) override {
        const FileHandle h = openAny(path, 0);
        BY_HANDLE_FILE_INFORMATION data;
        if (!h || !GetFileInformationByHandle(h.get(), &data)) return lastStatus();
        info = {};
        info.kind = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? NodeKind::folder : NodeKind::file;
        info.size = join64(data.nFileSizeHigh, data.nFileSizeLow);
        info.volume = data.dwVolumeSerialNumber;
        // Some file systems number no files; then nothing is the same.
        info.id = join64(data.nFileIndexHigh, data.nFileIndexLow);
        return Status::ok;
    }
    Status list(const std::string& folder, std::vector<NamedNode>& out) override {
        out.clear();
        WIN32_FIND_DATAW data;
        const std::wstring pattern = wide(join(folder, "*"));
        const SearchHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                                 nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (find.h == INVALID_HANDLE_VALUE) {
            const Status s = lastStatus();
            return s == Status::fileNotFound ? Status::ok : s;  // an empty folder
        }
        do {
            const std::wstring_view name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            NamedNode node{narrow(name), {}};
            node.info.kind = kindOf(data.dwFileAttributes);
            if (node.info.kind == NodeKind::file) node.info.size = join64(data.nFileSizeHigh, data.nFileSizeLow);
            out.push_back(std::move(node));
        } while (FindNextFileW(find.h, &data));
        const DWORD error = GetLastError();
        return error == ERROR_NO_MORE_FILES ? Status::ok : win32::statusFromError(error);
    }

    Status openRead(const std::string& path, std::unique_ptr<ReadStream>& out, bool withMeta) override {
        // Shared for reading only: a file another program is writing is
        // "in use", not copied half-written.
        FileHandle h(CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!h) return lastStatus();
        FileMeta meta;
        if (!withMeta) {
            out = std::make_unique<Win32Read>(std::move(h), std::move(meta));
            return Status::ok;
        }
        // The basic information only: GetFileInformationByHandle also asks
        // for the volume's serial number, which under Wine is a round trip
        // to its mount manager process for every file.
        FILE_BASIC_INFO data;
        if (!GetFileInformationByHandleEx(h.get(), FileBasicInfo, &data, sizeof data)) return lastStatus();
        meta.attributes = data.FileAttributes & kDosBits;
        meta.modified = data.LastWriteTime.QuadPart;
        out = std::make_unique<Win32Read>(std::move(h), std::move(meta));
        return Status::ok;
    }
    Status createNew(const std::string& path, std::unique_ptr<WriteStream>& out) override {
        std::wstring w = wide(path);
        // DELETE: placeOver() renames the file through this handle.
        FileHandle h(CreateFileW(w.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!h) return lastStatus();
        out = std::make_unique<Win32Write>(std::move(h));
        return Status::ok;
    }
    Status copyFolderAttributes(const std::string& from, const std::string& to) override {
        const DWORD a = GetFileAttributesW(wide(from).c_str());
        if (a == INVALID_FILE_ATTRIBUTES) return lastStatus();
        if ((a & kDosBits) == 0) return Status::ok;
        return SetFileAttributesW(wide(to).c_str(), a & kDosBits) ? Status::ok : lastStatus();
    }
    Status copyLink(const std::string&, const std::string&) override { return Status::accessDenied; }

    Status rename(const std::string& from, const std::string& to) override {
        const std::wstring wf = wide(from), wt = wide(to);
        return replacing(wt, heldBeside(to),
                         [&] { return MoveFileExW(wf.c_str(), wt.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE; });
    }
    Status move(const std::string& from, const std::string& to) override {
        return MoveFileExW(wide(from).c_str(), wide(to).c_str(), 0) ? Status::ok : lastStatus();
    }
    Status hardLink(const std::string& existing, const std::string& link) override {
        return CreateHardLinkW(wide(link).c_str(), wide(existing).c_str(), nullptr) ? Status::ok : lastStatus();
    }
    Status makeFolder(const std::string& path) override {
        return CreateDirectoryW(wide(path).c_str(), nullptr) ? Status::ok : lastStatus();
    }
    // Our own temporary file may carry the source's read-only bit, and a
    // kept file shares its bits with the game's.
    Status removeFile(const std::string& path) override {
        const std::wstring w = wide(path);
        if (DeleteFileW(w.c_str())) return Status::ok;
        if (GetLastError() != ERROR_ACCESS_DENIED) return lastStatus();
        return removeName(w);
    }
    Status freeSpace(const std::string& path, std::uint64_t& bytes) override {
        ULARGE_INTEGER available;
        if (!GetDiskFreeSpaceExW(wide(join(path, "")).c_str(), &available, nullptr, nullptr)) return lastStatus();
        bytes = available.QuadPart;
        return Status::ok;
    }
    // Each file was flushed before its rename.
    Status sync(const std::string&) override { return Status::ok; }
};

}  // namespace

std::unique_ptr<CopyIo> makeCopyIo(FileSystem&) { return std::make_unique<Win32CopyIo>(); }

}  // namespace orr::platform
