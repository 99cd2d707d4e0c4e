// Steam's record of where games are, from its files' text already read
// (nothing here touches the system): the libraries Steam lists, and the
// folder one game is installed to inside one of them. All paths are
// Windows paths.
#pragma once

#include "gamedata/KeyValues.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orr::steam {

// The Sims Legacy Collection.
inline constexpr const char* kLegacyCollectionAppId = "3314060";

// Where Steam records its own folder: HKEY_CURRENT_USER's SteamPath (written
// with "/"), else HKEY_LOCAL_MACHINE's InstallPath, in the registry's 32-bit
// view and then the 64-bit one.
inline constexpr const char* kUserKey = "Software\\Valve\\Steam";
inline constexpr const char* kUserValue = "SteamPath";
inline constexpr const char* kMachineKey = "SOFTWARE\\Valve\\Steam";
inline constexpr const char* kMachineValue = "InstallPath";

// Longer folder names are refused (the file system's own limit is 255
// UTF-16 units; bytes are counted, which is never more lenient).
inline constexpr std::size_t kMaxFolderNameBytes = 255;

// A full Windows folder path as Steam writes one, "/" turned into "\" and
// closing separators dropped ("C:\" keeps its own). Only "X:\..." and
// "\\server\share..." are full paths; nothing for an empty or relative path,
// a device path ("\\?\", "\\.\") or a path with a control character.
std::optional<std::string> asFolder(std::string_view path);

// "<steamFolder>\steamapps\libraryfolders.vdf" and
// "<library>\steamapps\appmanifest_<appId>.acf", for folders as asFolder gives them.
std::string libraryListFile(std::string_view steamFolder);
std::string manifestFile(std::string_view library, std::string_view appId = kLegacyCollectionAppId);

struct Libraries {
    std::vector<std::string> folders;       // each once, ignoring ASCII letter case
    std::optional<keyvalues::Error> error;  // why the list could not be read
};

// Steam's own folder, then the libraries its libraryfolders.vdf lists, in
// the file's order. Both of the file's forms are read:
//   "libraryfolders" { "0" { "path" "C:\\Steam" ... } "1" { ... } }
//   "LibraryFolders" { "TimeNextStatsReport" "..." "1" "D:\\SteamLibrary" }
// Entries are the root block's children named by digits alone; the others
// are skipped. Any path asFolder refuses is dropped. A list that cannot be
// read gives Steam's own folder and the reader's error; a list without the
// root block gives Steam's own folder alone.
Libraries libraries(std::string_view steamFolder, std::string_view libraryList);

// True for one folder name that stays one folder of its own wherever it is
// put below another: not empty, at most kMaxFolderNameBytes, no separator,
// no ":" (drives, streams), no "..", none of < > " | ? * (wildcards and
// characters Windows refuses), no control character, no closing dot or
// space (Windows drops them, making another name), not a device name (CON,
// PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$, CONOUT$, also with an extension).
// Other non-ASCII text is allowed: the program hands paths to Windows as
// UTF-16, which takes it as written.
bool isPlainFolderName(std::string_view name);

// The installdir of the manifest of `appId` ("AppState" { "appid" "<appId>"
// ... "installdir" "<name>" }), when it is a plain folder name; nothing for
// any other manifest, one that cannot be read, or any other name.
std::optional<std::string> installDir(std::string_view manifest, std::string_view appId = kLegacyCollectionAppId);

// "<library>\steamapps\common\<installDir>" for a library asFolder accepts
// and a plain folder name; nothing otherwise. So what it gives always lies
// inside "<library>\steamapps\common": it is that folder, one separator and
// one plain folder name, which no Windows path rule turns into a parent,
// a drive, a device or a name of another folder.
std::optional<std::string> gameFolder(std::string_view library, std::string_view installDir);

}  // namespace orr::steam
