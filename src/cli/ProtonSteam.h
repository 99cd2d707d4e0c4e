// The Legacy Collection as Steam runs it through Proton on Linux (the Steam
// Deck): found from Steam's own files on the host, outside any prefix. The
// host's files are read through HostFiles, so nothing here touches the system.
#pragma once

#include "gamedata/GameFolder.h"

#include <optional>
#include <string>
#include <vector>

namespace orr::cli {

class HostFiles {
public:
    virtual ~HostFiles() = default;
    // The whole text of a small file, nothing when it cannot be read.
    virtual std::optional<std::string> readText(const std::string& path) = 0;
    virtual bool isFolder(const std::string& path) = 0;
};

// Where Steam keeps its folder below the home folder: the usual link, the
// folder itself, and the Flatpak's.
std::vector<std::string> steamFolders(const std::string& home);

struct ProtonGame {
    std::string gameFolder;  // host path: <library>/steamapps/common/<installdir>
    std::string prefix;      // host path: <library>/steamapps/compatdata/3314060/pfx
};

// The first library of the first Steam folder whose appmanifest_3314060.acf
// names an install folder that exists. Each Steam folder's
// steamapps/libraryfolders.vdf lists its libraries (itself among them);
// a list that cannot be read leaves that Steam folder's own library.
std::optional<ProtonGame> findProtonGame(HostFiles& host, const std::vector<std::string>& steamFolders);

// Where Proton keeps the game's user data, inside its prefix.
inline constexpr const char* kProtonUserData =
    "C:\\users\\steamuser\\Saved Games\\Electronic Arts\\The Sims 25";

// A host path as the prefix's Z: drive (which Wine maps to "/") reaches it:
// "/a/b" is "Z:\a\b". Nothing for a path that does not start at "/".
std::optional<std::string> throughDriveZ(const std::string& hostPath);

// The install as the backup sees it: the game folder through Z:, the user
// data in the prefix's Saved Games.
GameFolder protonInstall(const ProtonGame& game);

}  // namespace orr::cli
