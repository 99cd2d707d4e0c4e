// Owns one open file descriptor.
#pragma once

#include <unistd.h>

#include <cerrno>

#include <utility>

namespace orr::platform::posix {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

    // Closes now and reports the host's error number (0 when fine).
    int close() {
        if (fd_ < 0) return 0;
        int rc = ::close(std::exchange(fd_, -1));
        return rc == 0 ? 0 : errno;
    }
    void reset() noexcept {
        if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    }

private:
    int fd_ = -1;
};

}  // namespace orr::platform::posix
