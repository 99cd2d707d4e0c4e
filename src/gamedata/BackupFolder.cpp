#include "BackupFolder.h"

#include "GameRunning.h"
#include "platform/copy_io.h"
#include "platform/windows_path.h"
#include "toolkit/clsFileSystem.h"


namespace orr::backupfolder {
namespace {

// Only an existing folder will do: with a file there, every copy of the
// backup would fail while the Finish panel still reported success.
bool namesFolder(platform::Services& services, const std::string& path) {
    return clsFileSystem(services).FileExist(path) && services.files.isFolder(path);
}

}  // namespace

Verdict check(platform::Services& services, const std::string& text, const GameSearch& game) {
    if (text.empty()) return {Refusal::empty, {}, {}};
    if (!platform::isFullPath(text)) return {Refusal::notFull, {}, {}};
    // As the system resolves it: that folder is the one checked and written to.
    const std::string resolved = platform::withoutClosingSeparator(services.files.fullPath(text).value_or(text));
    if (!namesFolder(services, resolved)) return {Refusal::notAFolder, {}, {}};
    // Without a game there is nothing to back up: said before anything is written.
    if (!game.found) return {Refusal::noGame, {}, {}};
    // The game's VirtualStore folder is the game's as well. A folder that
    // holds the game is refused too: the restore would refuse the backup
    // made there, so it would be a backup nobody can use.
    for (const std::string& folder : game.allFolders()) {
        if (platform::liesWithin(services.files, resolved, folder)) return {Refusal::insideGame, {}, folder};
        if (platform::liesWithin(services.files, folder, resolved)) return {Refusal::holdsGame, {}, folder};
    }
    return {Refusal::none, resolved, {}};
}

Verdict checkBeforeBackup(platform::Services& services, platform::Processes& processes, const std::string& text,
                          const GameSearch& search) {
    Verdict verdict = check(services, text, search);
    if (!verdict.accepted()) return verdict;
    const std::string game = search.found.value_or(GameFolder::fixed()).folder;
    if (gameRuns(processes, game)) return {Refusal::gameRuns, {}, game};
    return verdict;
}

std::string message(const Verdict& verdict, const GameSearch& game, const Retry& retry) {
    switch (verdict.refusal) {
    case Refusal::none: return {};
    case Refusal::empty: return "Please enter a path into the Folder selection box";
    case Refusal::notFull: return "Please enter a full path, such as D:\\Backups\\Sims";
    case Refusal::notAFolder: return "This is not a valid folder please select another folder";
    case Refusal::noGame: return game.notFoundMessage();
    case Refusal::insideGame:
        return "This folder is the game folder or lies inside it (" + verdict.game +
               "). A backup there would write into the game itself. Please select a folder outside the game.";
    case Refusal::gameRuns: return gameRunningText(retry);
    case Refusal::holdsGame:
        return "This folder holds the game folder (" + verdict.game +
               "). A backup there could not be restored. Please select a folder that does not hold the game.";
    }
    return {};
}

}  // namespace orr::backupfolder
