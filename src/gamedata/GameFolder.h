// Where the game is: looked for once per wizard run, in a fixed order of
// places, and the folder Windows redirects the game's own writes to. An
// install is one edition of the game found: its game folder (Downloads,
// GameData, ExpansionShared) and where it keeps its user-data folders.
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

// The editions Orrindale knows, as Step 1 names them.
inline constexpr const char* kClassicEdition = "The Sims";
inline constexpr const char* kSteamEdition = "The Sims Legacy Collection (Steam)";
inline constexpr const char* kEaAppEdition = "The Sims Legacy Collection (EA app)";
inline constexpr const char* kUserDataOnlyEdition = "The Sims Legacy Collection (user data only)";
inline constexpr const char* kPickedEdition = "The Sims (folder chosen)";
inline constexpr const char* kPickedLegacyEdition = "The Sims Legacy Collection (folder chosen)";

// The Legacy Collection's user data, below the user's Saved Games folder.
inline constexpr const char* kLegacyUserData = "Electronic Arts\\The Sims 25";

// A found install of the game.
struct GameFolder {
    std::string edition = kClassicEdition;
    // The game folder; "" for an install of which only the user data was
    // found (its Downloads, GameData and SkinsBuy are then left out).
    std::string folder;
    // The destination of the user-data restores: the fixed folder spelt in
    // lower case ("c:\program files\Maxis\The Sims"), any other as found.
    std::string userDataFolder;
    // Where Windows puts the game's writes into `folder` when the game may
    // not write there (%LOCALAPPDATA%\VirtualStore\<folder without its
    // drive>), whether or not it exists; "" outside the folders Windows
    // redirects (Program Files).
    std::string virtualStore;
    // Where the Legacy Collection keeps its user-data folders (its Saved
    // Games folder); "" where they live in the game folder.
    std::string userDataHome;

    // The fixed folder, without a VirtualStore.
    static GameFolder fixed();
    // `folder`, the VirtualStore below it when there is one, and the
    // user-data home where there is one: every folder of the install.
    std::vector<std::string> folders() const;
    // Where the user-data folders are read from for a backup.
    const std::string& userDataSource() const { return userDataHome.empty() ? folder : userDataHome; }
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
    // The Legacy Collection: Steam's folders (as the registry records
    // them), the EA app's install folders, and the user data in Saved Games.
    std::vector<std::string> steam;
    std::vector<std::string> eaApp;
    std::string legacyUserData;
};

struct GameSearch {
    // The install the wizards work on: the first found.
    std::optional<GameFolder> found;
    // Every install found, the one whose user-data files were written last
    // first (ties: the classic places first, then the Legacy Collection).
    std::vector<GameFolder> installs;
    std::vector<std::string> lookedAt;  // in order, each once
    std::vector<std::string> recorded;  // of those, the ones Windows records

    // Every folder of every install found, each once.
    std::vector<std::string> allFolders() const;
    // "The Sims: <folder>" (and where the user data is, when elsewhere),
    // or that it was not found.
    std::string caption() const;
    // Names every place looked at.
    std::string notFoundMessage() const;
};

// The registry's record of the game: its HKEY_LOCAL_MACHINE key and value.
inline constexpr const char* kGameKey = "SOFTWARE\\Maxis\\The Sims";
inline constexpr const char* kGameValue = "InstallPath";

// Steam's own record of its folder: where the Legacy Collection is looked for.
GamePlaces gamePlaces(platform::Registry& registry, platform::UserFolders& folders);
GameSearch findGame(platform::FileSystem& files, const GamePlaces& places);

// The install whose game folder the user picked: nothing unless `folder`
// holds Sims.exe or a GameData folder. It keeps its user data in the game
// folder, unless it holds no user-data folder while the Legacy
// Collection's Saved Games folder exists (then it is that edition's).
// What is said when installIn() finds no game in the folder given.
inline constexpr const char* kNotAGameFolderText =
    "This folder is not a game folder of The Sims: a game folder holds Sims.exe or a GameData folder. "
    "Please select the folder the game is installed in.";
std::optional<GameFolder> installIn(platform::FileSystem& files, const GamePlaces& places, const std::string& folder);

}  // namespace orr
