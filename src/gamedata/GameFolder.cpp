#include "GameFolder.h"
#include "platform/ascii.h"

#include "platform/copy_io.h"
#include "platform/filesystem.h"
#include "platform/folders.h"
#include "platform/registry.h"
#include "platform/windows_path.h"

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

}  // namespace

GameFolder GameFolder::fixed() { return {kFixedGameFolder, kFixedLower, {}}; }

std::vector<std::string> GameFolder::folders() const {
    std::vector<std::string> out{folder};
    if (!virtualStore.empty()) out.push_back(virtualStore);
    return out;
}

std::string GameSearch::caption() const {
    return "The Sims: " + (found ? found->folder : std::string("not found"));
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
    return text + ". Install or start the game once, then run Orrindale again.";
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
    return places;
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
        search.found = game;
        break;
    }
    return search;
}

}  // namespace orr
