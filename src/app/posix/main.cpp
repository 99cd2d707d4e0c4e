// orrindale: the command line on Linux and the Steam Deck, working on a
// Wine or Proton prefix (its drives as Windows sees them).
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/ProtonSteam.h"
#include "cli/Quiet.h"
#include "platform/console.h"
#include "platform/folders.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "copy/folder_copier.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

// Steam's files, read on the host as they are.
class LocalFiles final : public orr::cli::HostFiles {
public:
    std::optional<std::string> readText(const std::string& path) override {
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool isFolder(const std::string& path) override {
        std::error_code ec;
        return std::filesystem::is_directory(path, ec);
    }
};

int run(const std::vector<std::string>& words) {
    using namespace orr;
    const cli::Parsed parsed = cli::parse(words, true);
    if (!parsed.arguments) {
        std::cerr << parsed.error << "\n\n" << cli::usage(true);
        return cli::exitcode::badUsage;
    }
    const cli::Arguments& a = *parsed.arguments;
    platform::Options options{a.prefix};
    std::optional<GameFolder> steamGame;
    if (a.steam) {
        const char* home = std::getenv("HOME");
        LocalFiles host;
        const auto found = cli::findProtonGame(host, cli::steamFolders(home ? home : ""));
        if (!found) {
            std::cerr << "The Sims Legacy Collection was not found in Steam: no Steam library below "
                      << (home ? home : "~") << " holds it. Install it in Steam, or give --prefix and /game.\n";
            return cli::exitcode::refused;
        }
        if (!host.isFolder(found->prefix)) {
            std::cerr << "The game's Proton prefix " << found->prefix
                      << " does not exist yet. Start the game once from Steam, then run the backup again.\n";
            return cli::exitcode::refused;
        }
        options.root = found->prefix;
        steamGame = cli::protonInstall(*found);
    }
    platform::NativeServices native(options);
    cli::NoWindow noWindow;
    cli::ConsoleMessages messages(std::cerr);
    platform::Services services{*native.files, *native.profiles, messages,      noWindow,
                                noWindow,      *native.clock,    *native.locale, *native.fileTable};
    auto copier = platform::makeFolderCopier(*native.files, noWindow, nullptr);
    auto registry = platform::makeRegistry(options);
    auto folders = platform::makeUserFolders(*native.files);
    auto processes = platform::makeProcesses();
    cli::Machine machine{services, *copier, *registry, *folders, *processes, nullptr, steamGame, true,
                         &platform::catchStopRequests()};
    return cli::run(a, machine, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << "Orrindale stopped: " << e.what() << '\n';
        return 1;
    }
}
