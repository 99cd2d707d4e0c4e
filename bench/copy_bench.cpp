// The folder copies of one backup, without the program around them: every
// user-data folder of the game, Downloads, GameData and ExpansionShared,
// each through MFile::CopyFolder and the OS's own shell copy, into a
// backup folder. For measuring the copy alone; the benchmark script builds
// and runs it.
//
//   copy-bench [--root DIR] GAME_FOLDER BACKUP_FOLDER
#include "platform/services.h"
#include "platform/shell_copy.h"
#include "toolkit/MFile.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    orr::platform::Options options;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "--root") {
        options.root = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() != 2) {
        std::cerr << "usage: copy-bench [--root DIR] GAME_FOLDER BACKUP_FOLDER\n";
        return 2;
    }
    const std::string& game = args[0];
    const std::string& backup = args[1];

    orr::platform::NativeServices native(options);
    orr::platform::Services services = native.view();
    auto copier = orr::platform::makeShellCopy(*native.files, *native.messages, *native.events, nullptr);

    for (const auto& e : native.files->list(game + "\\*.*")) {
        std::string upper = e.name;
        for (char& c : upper)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const bool listed = (e.attributes & orr::platform::attr::directory) &&
                            !(e.attributes & (orr::platform::attr::hidden | orr::platform::attr::system));
        if (listed && upper.find("USERDATA") != std::string::npos)
            orr::MFile::CopyFolder(services, *copier, game + "\\" + e.name, backup);
    }
    for (const char* set : {"Downloads", "GameData", "ExpansionShared"})
        if (native.files->exists(game + "\\" + set))
            orr::MFile::CopyFolder(services, *copier, game + "\\" + set, backup);
    return 0;
}
