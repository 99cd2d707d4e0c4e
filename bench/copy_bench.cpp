// The folder copies of one backup, without the program around them: every
// user-data folder of the game, Downloads, GameData and ExpansionShared,
// each through MFile::CopyFolder and the OS's own shell copy, into a
// backup folder. For measuring the copy alone; the benchmark script builds
// and runs it.
//
//   copy-bench [--root DIR] [--shell] GAME_FOLDER BACKUP_FOLDER
//
// --shell (Windows only) copies through SHFileOperationA instead, the
// shell's own copy, kept here as the peer to measure against.
#include "platform/services.h"
#include "copy/folder_copier.h"
#include "toolkit/MFile.h"
#include "ui/headless/NoDesktop.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

#include <iostream>
#include <string>
#include <vector>

namespace {

// The shell's copy of one folder into another, as the program once made it.
class ShellPeer final : public orr::platform::FolderCopier {
public:
    bool writeManifest(std::string_view, const std::vector<std::string>&,
                       const std::vector<orr::platform::CopyOutcome::FileDigest>&, std::string_view) override {
        return true;
    }
    orr::platform::VerifyOutcome verify(std::string_view, std::string_view, const std::atomic<bool>*,
                                        const std::vector<std::string>&) override {
        return {};
    }
    orr::platform::RoomNeed measure(std::string_view, std::string_view, const orr::platform::CopyOptions&) override {
        return {};
    }
    orr::platform::CopyOutcome copyFolder(std::string_view source, std::string_view destination,
                                          const orr::platform::CopyOptions&) override {
#ifdef _WIN32
        std::string from(source), to(destination);
        from.push_back('\0');
        to.push_back('\0');
        SHFILEOPSTRUCTA op{};
        op.wFunc = FO_COPY;
        op.pFrom = from.c_str();
        op.pTo = to.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_SILENT | FOF_NOERRORUI;
        if (SHFileOperationA(&op) != 0) return {orr::platform::CopyOutcome::Result::failed};
#else
        (void)source;
        (void)destination;
#endif
        return {};
    }
};

}  // namespace

int main(int argc, char** argv) {
    orr::platform::Options options;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "--root") {
        options.root = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    const bool shell = !args.empty() && args[0] == "--shell";
    if (shell) args.erase(args.begin());
    if (args.size() != 2) {
        std::cerr << "usage: copy-bench [--root DIR] [--shell] GAME_FOLDER BACKUP_FOLDER\n";
        return 2;
    }
    const std::string& game = args[0];
    const std::string& backup = args[1];

    orr::platform::NativeServices native(options);
    orr::ui::RememberedPointer pointer;
    orr::ui::NoEvents events;
    orr::platform::Services services = native.view(pointer, events);
    ShellPeer peer;
    auto ours = orr::platform::makeFolderCopier(*native.files, events, nullptr);
    orr::platform::FolderCopier& copier = shell ? static_cast<orr::platform::FolderCopier&>(peer) : *ours;
    int status = 0;
    auto copy = [&](const std::string& from) {
        if (!orr::MFile::CopyFolder(services, copier, from, backup).completed()) status = 1;
    };

    for (const auto& e : native.files->list(game + "\\*.*")) {
        std::string upper = e.name;
        for (char& c : upper)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const bool listed = (e.attributes & orr::platform::attr::directory) &&
                            !(e.attributes & (orr::platform::attr::hidden | orr::platform::attr::system));
        if (listed && upper.find("USERDATA") != std::string::npos)
            copy(game + "\\" + e.name);
    }
    for (const char* set : {"Downloads", "GameData", "ExpansionShared"})
        if (native.files->exists(game + "\\" + set))
            copy(game + "\\" + set);
    return status;
}
