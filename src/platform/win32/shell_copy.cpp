// The shell's own folder copy: it shows its own progress window for a long
// copy and its own message for a failure, so neither comes back to us.
// Into a missing destination the shell would copy the folder *as* that
// destination (its contents landing where the folder should), so the
// destination's levels are made first.
#include "platform/shell_copy.h"

#include <windows.h>
#include <shellapi.h>

namespace orr::platform {
namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// Makes each missing level of `path`. A level that cannot be made is left
// to the shell, which then reports the copy's failure itself.
void makeLevels(FileSystem& files, std::string_view path) {
    // Past the root: "C:\", or the server and share of "\\server\share".
    std::size_t at = 0;
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        for (int part = 0; part < 2 && at != std::string_view::npos; ++part)
            at = path.find_first_of("\\/", at == 0 ? 2 : at + 1);
    } else if (path.size() >= 2 && path[1] == ':') {
        at = 2;
    }
    while (at != std::string_view::npos && at < path.size()) {
        const std::size_t next = path.find_first_of("\\/", at + 1);
        const std::string_view level = path.substr(0, next);
        if (!level.empty() && !isSeparator(level.back()) && !files.exists(level) &&
            files.makeDirectory(level) != Status::ok)
            return;
        at = next;
    }
}

class ShellFileOperation final : public ShellCopy {
public:
    explicit ShellFileOperation(FileSystem& files) : files_(files) {}

    void copyFolder(std::string_view source, std::string_view destination) override {
        makeLevels(files_, destination);
        // Each is a list of names: one name, its NUL, and the list's NUL.
        std::string from(source);
        from.push_back('\0');
        std::string to(destination);
        to.push_back('\0');

        SHFILEOPSTRUCTA op{};
        op.hwnd = nullptr;
        op.wFunc = FO_COPY;
        op.pFrom = from.c_str();
        op.pTo = to.c_str();
        // Deliberately without FOF_FILESONLY: it means nothing for a source
        // without a wildcard, and Wine passes it on to the recursion over
        // "src\*.*", which then skips every subfolder.
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR;
        // The result and the aborted flag are not examined: the shell has
        // shown whatever went wrong.
        SHFileOperationA(&op);
    }

private:
    FileSystem& files_;
};

}  // namespace

std::unique_ptr<ShellCopy> makeShellCopy(FileSystem& files, MessageBoxes&, EventPump&, CopyProgress*) {
    return std::make_unique<ShellFileOperation>(files);
}

}  // namespace orr::platform
