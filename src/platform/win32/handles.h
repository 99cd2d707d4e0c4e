// Owners of the system's handles, closed when they go out of scope.
#pragma once

#include <windows.h>

#include <utility>

namespace orr::platform::win32 {

// Owns one handle, freed by `Free` when it goes out of scope; a null handle
// (a failed create) owns nothing.
template <typename Handle, auto Free>
class Owned {
public:
    explicit Owned(Handle h = nullptr) : h_(h) {}
    ~Owned() {
        if (h_) Free(h_);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    // Hands the handle on to whoever frees it now (the clipboard, say).
    Handle release() { return std::exchange(h_, nullptr); }

private:
    Handle h_;
};

// A kernel handle from CreateFile and friends (INVALID_HANDLE_VALUE when empty).
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { reset(); }
    FileHandle(FileHandle&& o) noexcept : h_(std::exchange(o.h_, INVALID_HANDLE_VALUE)) {}
    FileHandle& operator=(FileHandle&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }

    // Closes now; false (with the reason in GetLastError) when that fails.
    bool close() {
        if (!*this) return true;
        return CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)) != FALSE;
    }
    void reset() noexcept {
        if (*this) CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE));
    }

private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

// A directory search from FindFirstFileW, ended with FindClose.
class FindHandle {
public:
    FindHandle(const wchar_t* pattern, WIN32_FIND_DATAW& first)
        : h_(FindFirstFileW(pattern, &first)) {}
    ~FindHandle() {
        if (*this) FindClose(h_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
    bool next(WIN32_FIND_DATAW& data) { return FindNextFileW(h_, &data) != FALSE; }

private:
    HANDLE h_;
};

}  // namespace orr::platform::win32
