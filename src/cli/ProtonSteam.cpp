#include "ProtonSteam.h"

#include "gamedata/KeyValues.h"
#include "gamedata/SteamLibraries.h"

namespace orr::cli {
namespace {

// Steam's list of its libraries on Linux: the same file as on Windows,
// with host paths; each entry a digit-named block holding "path" (or, in
// the older form, the path itself).
std::vector<std::string> hostLibraries(HostFiles& host, const std::string& steamFolder) {
    std::vector<std::string> out{steamFolder};
    const auto text = host.readText(steamFolder + "/steamapps/libraryfolders.vdf");
    if (!text) return out;
    const keyvalues::Parsed parsed = keyvalues::read(*text);
    if (!parsed.root || parsed.root->children.empty()) return out;
    for (const keyvalues::Node& entry : parsed.root->children.front().children) {
        if (entry.name.empty() || entry.name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string* path = entry.block ? entry.valueOf("path") : &entry.value;
        if (!path || path->empty() || (*path)[0] != '/') continue;
        std::string folder = *path;
        while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
        bool known = false;
        for (const std::string& f : out) known |= f == folder;
        if (!known) out.push_back(folder);
    }
    return out;
}

}  // namespace

std::vector<std::string> steamFolders(const std::string& home) {
    return {home + "/.steam/steam", home + "/.local/share/Steam",
            home + "/.var/app/com.valvesoftware.Steam/data/Steam"};
}

std::optional<ProtonGame> findProtonGame(HostFiles& host, const std::vector<std::string>& folders) {
    for (const std::string& steamFolder : folders) {
        if (!host.isFolder(steamFolder)) continue;
        for (const std::string& library : hostLibraries(host, steamFolder)) {
            const std::string apps = library + "/steamapps/";
            const auto manifest = host.readText(apps + "appmanifest_" + steam::kLegacyCollectionAppId + ".acf");
            // installDir takes only a plain folder name: it cannot climb out of common/.
            const auto dir = manifest ? steam::installDir(*manifest) : std::nullopt;
            if (!dir || !host.isFolder(apps + "common/" + *dir)) continue;
            return ProtonGame{apps + "common/" + *dir, apps + "compatdata/" + steam::kLegacyCollectionAppId + "/pfx"};
        }
    }
    return std::nullopt;
}

std::optional<std::string> throughDriveZ(const std::string& hostPath) {
    if (hostPath.empty() || hostPath[0] != '/') return std::nullopt;
    std::string path = "Z:";
    for (char c : hostPath) path += c == '/' ? '\\' : c;
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

GameFolder protonInstall(const ProtonGame& game) {
    const std::string folder = throughDriveZ(game.gameFolder).value_or(game.gameFolder);
    return {kSteamEdition, folder, folder, {}, kProtonUserData};
}

}  // namespace orr::cli
