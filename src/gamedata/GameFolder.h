// Where the game is: looked for once per wizard run, in a fixed order of
// places, and the folder Windows redirects the game's own writes to.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orr {

namespace platform {
class FileSystem;
class Registry;
class UserFolders;
}  // namespace platform

// The folder the game installs to on 32-bit Windows, first looked at.
inline constexpr const char* kFixedGameFolder = "C:\\Program Files\\Maxis\\The Sims";

// A found game.
struct GameFolder {
    std::string folder;
    // The destination of the user-data restores: the fixed folder spelt in
    // lower case ("c:\program files\Maxis\The Sims"), any other as found.
    std::string userDataFolder;
    // Where Windows puts the game's writes into `folder` when the game may
    // not write there (%LOCALAPPDATA%\VirtualStore\<folder without its
    // drive>), whether or not it exists; "" outside the folders Windows
    // redirects (Program Files).
    std::string virtualStore;

    // The fixed folder, without a VirtualStore.
    static GameFolder fixed();
    // `folder`, and the VirtualStore below it when there is one.
    std::vector<std::string> folders() const;
};

// The places to look at, in order; the first existing folder wins.
struct GamePlaces {
    std::string fixed = kFixedGameFolder;
    // InstallPath as Windows records it: the 32-bit view's, then the 64-bit view's.
    std::vector<std::string> recorded;
    // "Maxis\The Sims" below it; "" where the system has none.
    std::string programFilesX86;
    // The folders whose writes Windows redirects, and where it redirects them.
    std::vector<std::string> redirected;
    std::string localAppData;
};

struct GameSearch {
    std::optional<GameFolder> found;
    std::vector<std::string> lookedAt;  // in order, each once
    std::vector<std::string> recorded;  // of those, the ones Windows records

    // "The Sims: <folder>", or that it was not found.
    std::string caption() const;
    // Names every place looked at.
    std::string notFoundMessage() const;
};

// The registry's record of the game: its HKEY_LOCAL_MACHINE key and value.
inline constexpr const char* kGameKey = "SOFTWARE\\Maxis\\The Sims";
inline constexpr const char* kGameValue = "InstallPath";

GamePlaces gamePlaces(platform::Registry& registry, platform::UserFolders& folders);
GameSearch findGame(platform::FileSystem& files, const GamePlaces& places);

}  // namespace orr
