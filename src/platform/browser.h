// The user's web browser: the program the system opens HTML files with, and
// starting a program with one argument.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace orr::platform {

class Browser {
public:
    virtual ~Browser() = default;
    // The program associated with `htmlFile` (an existing file, Windows
    // path), or nothing when no program is associated.
    virtual std::optional<std::string> findProgram(const std::string& htmlFile) = 0;
    // Starts `program` with `argument` as its parameter and does not wait
    // for it. `owner` is the window the start belongs to (0: none). False
    // when it could not be started.
    virtual bool start(const std::string& program, const std::string& argument,
                       std::uintptr_t owner) = 0;
};

// Windows: FindExecutableA and ShellExecuteA. POSIX: none (nothing runs on
// real windows there).
std::unique_ptr<Browser> makeBrowser();

}  // namespace orr::platform
