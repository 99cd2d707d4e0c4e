#include "ClsSims.h"
#include "platform/ascii.h"

#include "toolkit/MFile.h"
#include "toolkit/clsFileSystem.h"

#include <algorithm>
#include <cctype>

namespace orr {
namespace attr = platform::attr;

namespace {

// A probe folder made and removed again: whether the user may write into
// `folder`. A restore replaces files there, so a folder that can be made
// but not removed again does not count as writable.
bool mayWriteInto(platform::FileSystem& files, const std::string& folder) {
    const std::string probe = folder + "\\~orrindale-write-test";
    if (!files.exists(probe) && files.makeDirectory(probe) != platform::Status::ok) return false;
    return files.removeDirectory(probe) == platform::Status::ok;
}

}  // namespace

// By its own name only: a backup folder such as "D:\UserData\Sims" does
// not make all its folders user data.
bool ClsSims::isUserData(const std::string& path) {
    return ascii::upper(platform::lastLevel(path)).find("USERDATA") != std::string::npos;
}

std::vector<std::string> ClsSims::gameSets(platform::FileSystem& files, const std::string& game) {
    std::vector<std::string> sets;
    for (const auto& e : files.list(game + "\\*.*"))
        if ((e.attributes & attr::directory) && isUserData(e.name)) sets.push_back(game + "\\" + e.name);
    for (const char* name : {"Downloads", "GameData", "ExpansionShared"})
        if (files.exists(game + "\\" + name)) sets.push_back(game + "\\" + name);
    return sets;
}

bool SetsOutcome::completed() const {
    return std::all_of(copies.begin(), copies.end(), [](const Copy& c) { return c.outcome.completed(); });
}

bool SetsOutcome::cancelled() const {
    return std::any_of(copies.begin(), copies.end(), [](const Copy& c) {
        return c.outcome.result == platform::CopyOutcome::Result::cancelled;
    });
}

ClsSims::ClsSims(platform::Services& services, platform::ShellCopy& copier, GameFolder game,
                 std::string backupFolder, std::function<void()> nextStep,
                 std::function<bool(const SetsOutcome&)> beforeFinish)
    : services_(services), copier_(copier), game_(std::move(game)), backupFolder_(std::move(backupFolder)),
      nextStep_(std::move(nextStep)), beforeFinish_(std::move(beforeFinish)) {}

// A failure of the listing or of an attribute query leaves the scan with
// the hourglass still showing; the error ends the run anyway.
std::deque<std::string>& ClsSims::GetSubFolders(const std::string& strFolder) {
    services_.pointer.set(platform::Pointer::hourglass);
    if (!pending_) {
        pending_ = std::make_unique<std::deque<std::string>>();
        pending_->push_back(strFolder);
    }
    const std::string folder = pending_->front();
    pending_->pop_front();

    // The platform's listing returns hidden and system entries too; the
    // directory search this scan stands for never does.
    for (const auto& entry : services_.files.list(folder + "\\*.*")) {
        if (entry.attributes & (attr::hidden | attr::system)) continue;
        const std::string path = folder + "\\" + entry.name;
        const auto bits = services_.files.attributes(path);
        if (!bits) throw RunError::fileNotFound();
        if (*bits & attr::directory) pending_->push_back(path);
    }
    services_.pointer.set(platform::Pointer::normal);
    return *pending_;
}

std::string ClsSims::existingVirtualStore() {
    if (game_.virtualStore.empty()) return {};
    const auto bits = services_.files.attributes(game_.virtualStore);
    return bits && (*bits & attr::directory) ? game_.virtualStore : std::string();
}

// Windows reads the VirtualStore copy of a file first: where that folder
// exists, only a file written there is sure to be read. Where the game
// folder may not be written, the game's own writes go there too.
std::string ClsSims::restoreDestination() {
    if (game_.virtualStore.empty()) return game_.folder;
    if (!existingVirtualStore().empty() || !mayWriteInto(services_.files, game_.folder)) return game_.virtualStore;
    return game_.folder;
}

SetsOutcome ClsSims::BackupSims() {
    clsFileSystem fso(services_);
    SetsOutcome outcome;
    auto copy = [&](const std::string& from, const std::string& to) {
        if (outcome.cancelled()) return;
        outcome.copies.push_back({from, MFile::CopyFolder(services_, copier_, from, to, options_)});
    };
    const std::string game = game_.folder;
    const std::string store = existingVirtualStore();
    // A set of the game: the game folder's, then the VirtualStore's over it.
    auto copySet = [&](const std::string& name) {
        if (fso.FileExist(game + "\\" + name)) copy(game + "\\" + name, backupFolder_);
        if (!store.empty() && fso.FileExist(store + "\\" + name)) copy(store + "\\" + name, backupFolder_);
    };

    std::vector<std::string> userData;
    for (const auto& folder : GetSubFolders(game)) {
        if (!isUserData(folder)) continue;
        copy(folder, backupFolder_);
        userData.push_back(platform::lastLevel(folder));
        if (!store.empty() && fso.FileExist(store + "\\" + userData.back()))
            copy(store + "\\" + userData.back(), backupFolder_);
    }
    // User-data folders that only the game's redirected writes made.
    if (!store.empty()) {
        for (const auto& e : services_.files.list(store + "\\*.*")) {
            if (!(e.attributes & attr::directory) || (e.attributes & (attr::hidden | attr::system))) continue;
            const bool known = std::any_of(userData.begin(), userData.end(),
                                           [&](const std::string& n) { return ascii::equal(n, e.name); });
            if (isUserData(e.name) && !known) copy(store + "\\" + e.name, backupFolder_);
        }
    }

    copySet("Downloads");

    // Always made, so that every backup holds a GameData folder.
    fso.MakeDIR(backupFolder_ + "\\GameData");
    copySet("GameData");
    nextStep_();

    fso.MakeDIR(backupFolder_ + "\\ExpansionShared");
    copySet("ExpansionShared");
    // Deliberate: Finish, with its "complete", only for a backup that is.
    if (!beforeFinish_ || beforeFinish_(outcome)) nextStep_();
    return outcome;
}

// Deliberate: GameData and SkinsBuy are copied only when the backup holds
// them. The copy makes a missing source first, which would write into the
// backup folder (and fail on read-only media); a restore never writes there.
SetsOutcome ClsSims::RestoreSims() {
    clsFileSystem fso(services_);
    SetsOutcome outcome;
    const std::string game = restoreDestination();
    auto copy = [&](const std::string& from, const std::string& to) {
        if (outcome.cancelled()) return;
        platform::CopyOptions options = options_;
        // Each replaced file keeps its path below the folder written to
        // (every destination lies in it, spelt with as many characters).
        if (!keepRoot_.empty())
            options.keepReplacedIn = keepRoot_ + (to + "\\" + platform::lastLevel(from)).substr(game.size());
        outcome.copies.push_back({from, MFile::CopyFolder(services_, copier_, from, to, options)});
    };
    const std::string userDataDestination = game == game_.folder ? game_.userDataFolder : game;
    const std::string expansionShared = game + "\\ExpansionShared";
    const std::string gameSkinsBuy = expansionShared + "\\SkinsBuy";

    for (const auto& folder : GetSubFolders(backupFolder_))
        if (isUserData(folder)) copy(folder, userDataDestination);

    const std::string downloads = backupFolder_ + "\\Downloads";
    if (fso.FileExist(downloads)) copy(downloads, game);
    nextStep_();

    const std::string gameData = backupFolder_ + "\\GameData";
    if (fso.FileExist(gameData)) copy(gameData, game);

    // The game's SkinsBuy is made whether or not the backup has one.
    fso.CreateDirectoryStruct(gameSkinsBuy);
    const std::string skinsBuy = backupFolder_ + "\\ExpansionShared\\SkinsBuy";
    if (fso.FileExist(gameSkinsBuy) && fso.FileExist(skinsBuy)) copy(skinsBuy, expansionShared);
    return outcome;
}

}  // namespace orr
