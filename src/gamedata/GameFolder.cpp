#include "GameFolder.h"
#include "platform/ascii.h"

#include "platform/copy_io.h"
#include "platform/filesystem.h"
#include "platform/folders.h"
#include "platform/registry.h"
#include "platform/windows_path.h"
#include "ClsSims.h"
#include "SteamLibraries.h"

#include <algorithm>

namespace orr {
namespace {

constexpr const char* kFixedLower = "c:\\program files\\Maxis\\The Sims";

bool holds(const std::vector<std::string>& list, const std::string& s) {
    return std::any_of(list.begin(), list.end(), [&](const std::string& e) { return ascii::equal(e, s); });
}

// Whether a full path lies on a drive letter ("D:\x"), not a network share.
bool hasDrive(const std::string& p) { return platform::volumeOf(p).size() == 3; }

// A recorded folder as a place to look at: a full path ("D:\x", "\\server\share\x")
// without closing separators; nothing for anything else, which would be
// taken from whatever folder is current.
std::optional<std::string> asPlace(const std::string& p) {
    if (!platform::isFullPath(p)) return std::nullopt;
    return platform::withoutClosingSeparator(p);
}

std::string virtualStoreOf(platform::FileSystem& files, const std::string& folder, const GamePlaces& places) {
    if (places.localAppData.empty() || !hasDrive(folder)) return {};
    for (const std::string& root : places.redirected)
        if (!root.empty() && platform::liesWithin(files, folder, root))
            return places.localAppData + "\\VirtualStore" + folder.substr(2);
    return {};
}

// Whether `folder` holds a user-data folder (its own name holds "UserData").
bool holdsUserData(platform::FileSystem& files, const std::string& folder) {
    for (const auto& e : files.list(folder + "\\*.*"))
        if ((e.attributes & platform::attr::directory) && ClsSims::isUserData(e.name)) return true;
    return false;
}

// A text file of Steam's, read only when it is small enough for the
// reader (a larger one is refused there anyway, unread here).
std::optional<std::string> smallText(platform::FileSystem& files, const std::string& path) {
    const auto size = files.size(path);
    if (!size || *size > keyvalues::kMaxTextBytes) return std::nullopt;
    return files.readFile(path);
}

// The Legacy Collection on Steam: the game lies in the library whose
// steamapps folder holds its manifest, in the folder the manifest names.
std::optional<std::string> steamGame(platform::FileSystem& files, const std::vector<std::string>& steamFolders) {
    for (const std::string& steamFolder : steamFolders) {
        const auto list = smallText(files, steam::libraryListFile(steamFolder));
        for (const std::string& library : steam::libraries(steamFolder, list.value_or("")).folders) {
            const auto manifest = smallText(files, steam::manifestFile(library));
            const auto dir = manifest ? steam::installDir(*manifest) : std::nullopt;
            const auto game = dir ? steam::gameFolder(library, *dir) : std::nullopt;
            if (game && files.isFolder(*game)) return game;
        }
    }
    return std::nullopt;
}

// The Legacy Collection: on Steam, else from the EA app; its user data in
// Saved Games. User data without a game folder found is an install too.
std::vector<GameFolder> legacyInstalls(platform::FileSystem& files, const GamePlaces& places) {
    std::vector<GameFolder> out;
    const auto add = [&](const char* edition, const std::string& folder) {
        GameFolder g{edition, folder, folder, virtualStoreOf(files, folder, places), places.legacyUserData};
        out.push_back(std::move(g));
    };
    if (const auto game = steamGame(files, places.steam)) add(kSteamEdition, *game);
    for (const std::string& folder : places.eaApp)
        if (out.empty() && files.isFolder(folder)) add(kEaAppEdition, folder);
    if (out.empty() && !places.legacyUserData.empty() && holdsUserData(files, places.legacyUserData))
        out.push_back({kUserDataOnlyEdition, {}, places.legacyUserData, {}, places.legacyUserData});
    return out;
}

// The newest write of any file in the install's user-data folders; the
// earliest time there is when it has none.
platform::DateTime newestUserData(platform::FileSystem& files, const GameFolder& install) {
    platform::DateTime newest;
    const auto visit = [&](const auto& self, const std::string& folder) -> void {
        for (const auto& e : files.list(folder + "\\*.*")) {
            const std::string path = folder + "\\" + e.name;
            if (e.attributes & platform::attr::directory) {
                if (!(e.attributes & platform::attr::alias)) self(self, path);
            } else if (const auto t = files.modified(path)) {
                newest = std::max(newest, *t);
            }
        }
    };
    const std::string& home = install.userDataSource();
    if (home.empty()) return newest;
    for (const auto& e : files.list(home + "\\*.*"))
        if ((e.attributes & platform::attr::directory) && ClsSims::isUserData(e.name))
            visit(visit, home + "\\" + e.name);
    return newest;
}

}  // namespace

GameFolder GameFolder::fixed() { return {kClassicEdition, kFixedGameFolder, kFixedLower, {}, {}}; }

std::vector<std::string> GameFolder::folders() const {
    std::vector<std::string> out;
    for (const std::string* f : {&folder, &virtualStore, &userDataHome})
        if (!f->empty()) out.push_back(*f);
    return out;
}

std::vector<std::string> GameSearch::allFolders() const {
    std::vector<std::string> out;
    for (const GameFolder& install : installs)
        for (const std::string& f : install.folders())
            if (!holds(out, f)) out.push_back(f);
    return out;
}

std::string GameSearch::caption() const {
    if (!found) return "The Sims: not found";
    const GameFolder& g = *found;
    if (g.folder.empty())
        return g.edition + ": " + g.userDataHome + " (Downloads, GameData and SkinsBuy are left out)";
    std::string text = g.edition + ": " + g.folder;
    if (!g.userDataHome.empty()) text += "\r\nNeighbourhoods: " + g.userDataHome;
    return text;
}

std::string GameSearch::notFoundMessage() const {
    std::string places;
    for (std::size_t i = 0; i < lookedAt.size(); ++i) {
        if (i > 0) places += i + 1 == lookedAt.size() ? " or " : ", ";
        places += lookedAt[i];
        if (holds(recorded, lookedAt[i])) places += " (where Windows records it as installed)";
    }
    std::string text = "The Sims was not found in " + places;
    if (recorded.empty()) text += ", and Windows has no record of where it is installed";
    return text + ", nor was The Sims Legacy Collection found (Steam, the EA app or your Saved Games folder). "
                  "Install or start the game once, then run Orrindale again.";
}

GamePlaces gamePlaces(platform::Registry& registry, platform::UserFolders& folders) {
    namespace reg = platform::reg;
    GamePlaces places;
    // The game is a 32-bit program: its installer writes the 32-bit view.
    for (std::uint32_t view : {reg::view32, reg::view64}) {
        const auto value = platform::readText(registry, reg::localMachine, kGameKey, kGameValue, view);
        if (!value) continue;
        const auto place = asPlace(*value);
        if (place && !holds(places.recorded, *place)) places.recorded.push_back(*place);
    }
    places.programFilesX86 = folders.programFilesX86();
    for (const std::string& root : {folders.programFiles(), folders.programFilesX86()})
        if (!root.empty() && !holds(places.redirected, root)) places.redirected.push_back(root);
    places.localAppData = folders.localAppData();

    // Steam writes SteamPath with "/"; asFolder turns them.
    std::vector<std::optional<std::string>> steam{
        platform::readText(registry, reg::currentUser, steam::kUserKey, steam::kUserValue)};
    for (std::uint32_t view : {reg::view32, reg::view64})
        steam.push_back(platform::readText(registry, reg::localMachine, steam::kMachineKey, steam::kMachineValue, view));
    for (const auto& value : steam) {
        const auto folder = value ? steam::asFolder(*value) : std::nullopt;
        if (folder && !holds(places.steam, *folder)) places.steam.push_back(*folder);
    }
    for (const std::string& root : {std::string("C:\\Program Files"), folders.programFiles()}) {
        const std::string folder = root + "\\EA Games\\The Sims Legacy";
        if (!root.empty() && !holds(places.eaApp, folder)) places.eaApp.push_back(folder);
    }
    if (const std::string saved = folders.savedGames(); !saved.empty())
        places.legacyUserData = saved + "\\" + kLegacyUserData;
    return places;
}

std::optional<GameFolder> installIn(platform::FileSystem& files, const GamePlaces& places, const std::string& folder) {
    const std::string at = platform::withoutClosingSeparator(files.fullPath(folder).value_or(folder));
    if (!files.exists(at + "\\Sims.exe") && !files.isFolder(at + "\\GameData")) return std::nullopt;
    GameFolder g{kPickedEdition, at, at, virtualStoreOf(files, at, places), {}};
    if (!holdsUserData(files, at) && !places.legacyUserData.empty() && holdsUserData(files, places.legacyUserData)) {
        g.edition = kPickedLegacyEdition;
        g.userDataHome = places.legacyUserData;
    }
    return g;
}

GameSearch findGame(platform::FileSystem& files, const GamePlaces& places) {
    struct Candidate {
        std::string path;
        bool recorded;
    };
    std::vector<Candidate> candidates{{places.fixed, false}};
    for (const std::string& r : places.recorded) candidates.push_back({r, true});
    if (!places.programFilesX86.empty())
        candidates.push_back({places.programFilesX86 + "\\Maxis\\The Sims", false});

    GameSearch search;
    for (const Candidate& c : candidates) {
        if (c.path.empty()) continue;
        if (!holds(search.lookedAt, c.path)) search.lookedAt.push_back(c.path);
        if (c.recorded && !holds(search.recorded, c.path)) search.recorded.push_back(c.path);
        // As Windows resolves it ("." and ".." applied, a closing space or
        // dot dropped): the "\\?\\" paths of the copies take a name as it
        // is written, and would name another folder.
        const std::string at = platform::withoutClosingSeparator(files.fullPath(c.path).value_or(c.path));
        if (!files.isFolder(at)) continue;
        GameFolder game;
        game.folder = at;
        game.userDataFolder = at == kFixedGameFolder ? kFixedLower : at;
        game.virtualStore = virtualStoreOf(files, at, places);
        search.installs.push_back(game);
        break;
    }
    for (GameFolder& legacy : legacyInstalls(files, places)) search.installs.push_back(std::move(legacy));
    // The install played last comes first; ties keep the order looked in.
    if (search.installs.size() > 1) {
        std::vector<std::pair<platform::DateTime, GameFolder>> played;
        for (GameFolder& g : search.installs) played.emplace_back(newestUserData(files, g), std::move(g));
        std::stable_sort(played.begin(), played.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        search.installs.clear();
        for (auto& [when, g] : played) search.installs.push_back(std::move(g));
    }
    if (!search.installs.empty()) search.found = search.installs.front();
    return search;
}

}  // namespace orr
