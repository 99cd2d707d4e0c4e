// The game's customization folders: which folders make up a backup, and
// carrying them between the game folder and the backup folder in a fixed
// order, moving the wizard on at fixed points.
#pragma once

#include "GameFolder.h"
#include "platform/services.h"
#include "copy/folder_copier.h"

#include <atomic>
#include <deque>
#include <optional>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orr {

// What one backup or restore run copied: each folder copy with its outcome,
// in order. After a cancelled copy the run copies nothing more.
struct SetsOutcome {
    struct Copy {
        std::string source;
        platform::CopyOutcome outcome;
        std::string destination;  // the folder the source landed in
    };
    std::vector<Copy> copies;
    // Sets the run meant to copy and did not reach (after a stop or an
    // interruption), by their source folders.
    std::vector<std::string> notCopied;
    // Refused before anything was written: a drive too small for the whole
    // run, or (a backup) no set holding any file.
    std::optional<platform::RoomShort> room;
    bool nothingFound = false;
    // Refused too (a backup): the game's folder that the backup folder
    // turned out to lie in as the run started; "" otherwise.
    std::string intoGame;
    // The run stopped because the user asked it to (between copies too).
    bool stopped = false;
    // The run could not go on: a folder it needed could not be made or
    // listed. The folder and the system's reason, in words; "" otherwise.
    std::string interrupted;

    bool completed() const;
    bool cancelled() const;
    // Nothing was written: the run was refused before its first copy.
    bool refused() const { return room.has_value() || nothingFound || !intoGame.empty(); }
};

class ClsSims {
public:
    // `game` is where the game was found. `nextStep` moves the running
    // wizard one step on (its Next). `beforeFinish`, when set, is asked
    // with the copies' outcome before a backup moves the wizard to Finish;
    // false keeps it where it is.
    ClsSims(platform::Services& services, platform::FolderCopier& copier, GameFolder game, std::string backupFolder,
            std::function<void()> nextStep, std::function<bool(const SetsOutcome&)> beforeFinish = {});

    // User-data folders, Downloads, GameData, (next step), ExpansionShared,
    // (next step): from the game folder into the backup folder. Each set
    // the game's VirtualStore folder holds is copied after the game
    // folder's, so that its files win, as they do for the game.
    SetsOutcome BackupSims();
    // User-data folders, Downloads, (next step), GameData, SkinsBuy: from the
    // backup folder into the game folder, or into its VirtualStore folder
    // where that exists or the game folder may not be written; the
    // user-data folders into the install's user-data home where it has one.
    // An install without a game folder gets its user data only.
    SetsOutcome RestoreSims();
    // Files (full paths) the copies leave out: a backup's damaged files.
    void leaveOut(std::vector<std::string> files) { options_.leaveOut = std::move(files); }
    // Sets of the backup a restore leaves as they are, by their paths below
    // the backup folder ("UserData2", "ExpansionShared\SkinsBuy"): not
    // copied, not measured, their folders in the game untouched.
    void leaveOutSets(std::vector<std::string> sets) { leftOutSets_ = std::move(sets); }
    // Asked between files and between copies: true stops the run.
    void stopWhen(const std::atomic<bool>& stop) { options_.stop = &stop; }
    // Where a restore keeps the game files it replaces (a folder inside the
    // folder it writes to, so on its drive), under their paths below it:
    // `folder` for what goes into restoreDestination(), `userDataFolder`
    // for what goes into the install's user-data home.
    void keepReplacedIn(std::string folder, std::string userDataFolder = {}) {
        keepRoot_ = std::move(folder);
        userDataKeepRoot_ = std::move(userDataFolder);
    }
    // Where a restore writes the game's sets: the game folder, or its
    // VirtualStore folder where that exists or the game folder may not be
    // written.
    std::string restoreDestination();
    // Where a restore writes the user-data folders: the install's user-data
    // home, else where the game's sets go (the fixed folder spelt as the
    // game's own installer spells it).
    std::string userDataDestination();

    // Whether a folder is a user-data folder: its own name (the last level
    // of `path`) holds "UserData", letter case ignored.
    static bool isUserData(const std::string& path);
    // Whether `folder` or a folder below it holds a file; links to folders
    // are not entered, as the copy does not enter them.
    static bool holdsFile(platform::FileSystem& files, const std::string& folder);
    // The game's own sets in `game`: its user-data folders, Downloads,
    // GameData and ExpansionShared, those that exist.
    static std::vector<std::string> gameSets(platform::FileSystem& files, const std::string& game);

private:
    // A run is planned whole (which folders are copied where, which are
    // made, where the wizard moves on) before anything is written, so that
    // its room is checked once for all its copies.
    struct Step {
        enum class Kind { copy, makeFolder, makeFolders, next, finish } kind;
        std::string from, to;  // a copy's; the folder to make in `to`
        platform::CopyOptions options;
    };
    using Plan = std::vector<Step>;
    // Refuses the plan when a drive is too small for its copies together,
    // or (`needFiles`) when no copied folder holds a file. Else gives each
    // copy its share of the run, so that the run shows as one progress.
    bool refusedBeforeWriting(Plan& plan, bool needFiles, SetsOutcome& outcome);
    void carryOut(const Plan& plan, SetsOutcome& outcome);
    bool stopRequested() const { return options_.stop && options_.stop->load(); }

    // One step of a breadth-first walk: takes the oldest pending folder off
    // the queue, appends its subfolders (hidden ones too), returns the queue.
    std::deque<std::string>& GetSubFolders(const std::string& strFolder);
    // The VirtualStore folder when it exists, else "".
    std::string existingVirtualStore();

    platform::Services& services_;
    platform::FolderCopier& copier_;
    GameFolder game_;
    std::string backupFolder_;
    std::function<void()> nextStep_;
    std::function<bool(const SetsOutcome&)> beforeFinish_;
    platform::CopyOptions options_;
    std::string keepRoot_, userDataKeepRoot_;
    std::vector<std::string> leftOutSets_;
    std::unique_ptr<std::deque<std::string>> pending_;
};

}  // namespace orr
