// The desktop's default program for text/html, as xdg-mime names it: its
// desktop entry's Exec program, found on the PATH. It is started in a
// session of its own, so that it outlives this program and is never waited
// for.
#include "platform/browser.h"
#include "unique_fd.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace orr::platform {
namespace {

namespace fs = std::filesystem;
using posix::UniqueFd;

std::string trim(const std::string& s) {
    auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// What a shell command prints, its errors dropped; "" when it cannot run.
std::string commandOutput(const char* command) {
    struct Closer {
        void operator()(FILE* f) const { pclose(f); }
    };
    std::unique_ptr<FILE, Closer> pipe(popen(command, "r"));
    if (!pipe) return "";
    std::string out;
    char buffer[256];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) out.append(buffer, n);
    return out;
}

std::vector<fs::path> dataDirectories() {
    std::vector<fs::path> dirs;
    const char* home = std::getenv("XDG_DATA_HOME");
    if (home && *home)
        dirs.emplace_back(home);
    else if (const char* h = std::getenv("HOME"); h && *h)
        dirs.push_back(fs::path(h) / ".local/share");
    const char* system = std::getenv("XDG_DATA_DIRS");
    std::stringstream list(system && *system ? system : "/usr/local/share:/usr/share");
    for (std::string dir; std::getline(list, dir, ':');)
        if (!dir.empty()) dirs.emplace_back(dir);
    return dirs;
}

// A desktop id "vendor-app.desktop" may also live as "vendor/app.desktop".
std::optional<fs::path> desktopFile(const std::string& id) {
    std::vector<std::string> names{id};
    for (std::size_t dash = id.find('-'); dash != std::string::npos; dash = id.find('-', dash + 1))
        names.push_back(id.substr(0, dash) + "/" + id.substr(dash + 1));
    std::error_code ec;
    for (const fs::path& dir : dataDirectories())
        for (const std::string& name : names)
            if (fs::is_regular_file(dir / "applications" / name, ec)) return dir / "applications" / name;
    return std::nullopt;
}

// The program of the entry's Exec line: its first word, quotes removed.
std::string execProgram(const fs::path& entry) {
    std::ifstream in(entry);
    bool inMainGroup = false;
    for (std::string line; std::getline(in, line);) {
        line = trim(line);
        if (!line.empty() && line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inMainGroup || line.rfind("Exec=", 0) != 0) continue;
        std::string command = trim(line.substr(5));
        if (!command.empty() && command.front() == '"') {
            std::string word;
            for (std::size_t i = 1; i < command.size() && command[i] != '"'; ++i) {
                if (command[i] == '\\' && i + 1 < command.size()) ++i;
                word += command[i];
            }
            return word;
        }
        return command.substr(0, command.find_first_of(" \t"));
    }
    return "";
}

std::optional<std::string> onPath(const std::string& program) {
    if (program.empty()) return std::nullopt;
    if (program.find('/') != std::string::npos)
        return access(program.c_str(), X_OK) == 0 ? std::optional(program) : std::nullopt;
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::nullopt;
}

class XdgBrowser final : public Browser {
public:
    std::optional<std::string> findProgram(const std::string&) override {
        std::string id = trim(commandOutput("xdg-mime query default text/html 2>/dev/null"));
        if (id.empty()) return std::nullopt;
        auto entry = desktopFile(id);
        if (!entry) return std::nullopt;
        return onPath(execProgram(*entry));
    }

    bool start(const std::string& program, const std::string& argument, std::uintptr_t) override {
        // Everything the child needs is made before fork.
        std::string file = program, arg = argument;
        char* argv[] = {file.data(), arg.data(), nullptr};
        int fds[2];
        if (pipe(fds) != 0) return false;
        UniqueFd readEnd(fds[0]), writeEnd(fds[1]);
        fcntl(fds[0], F_SETFD, FD_CLOEXEC);
        fcntl(fds[1], F_SETFD, FD_CLOEXEC);

        pid_t child = fork();
        if (child < 0) return false;
        if (child == 0) {
            // A new session, then a grandchild that init adopts: the browser
            // is nobody's child here and leaves no zombie behind.
            setsid();
            pid_t browser = fork();
            if (browser != 0) _exit(browser < 0 ? 1 : 0);
            int null = open("/dev/null", O_RDWR);
            if (null >= 0) {
                dup2(null, 0);
                dup2(null, 1);
                dup2(null, 2);
            }
            execv(argv[0], argv);
            int error = errno;
            (void)!write(fds[1], &error, sizeof error);
            _exit(127);
        }
        writeEnd.reset();
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        // The pipe closes on a successful exec; a failed one writes errno.
        int error = 0;
        ssize_t n;
        while ((n = read(readEnd.get(), &error, sizeof error)) < 0 && errno == EINTR) {
        }
        return n == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
};

}  // namespace

std::unique_ptr<Browser> makeBrowser() { return std::make_unique<XdgBrowser>(); }

}  // namespace orr::platform
