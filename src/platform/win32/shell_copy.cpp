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

class ShellFileOperation final : public ShellCopy {
public:
    explicit ShellFileOperation(FileSystem& files) : files_(files) {}

    void copyFolder(std::string_view source, std::string_view destination) override {
        // A level that cannot be made is left to the shell, which then
        // reports the copy's failure itself.
        makeFolderLevels(files_, destination);
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
