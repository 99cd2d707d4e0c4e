// The game's customization folders: which folders make up a backup, and
// carrying them between the game folder and the backup folder in a fixed
// order, moving the wizard on at fixed points.
#pragma once

#include "platform/services.h"
#include "platform/shell_copy.h"

#include <deque>
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
    };
    std::vector<Copy> copies;

    bool completed() const;
    bool cancelled() const;
};

class ClsSims {
public:
    // `nextStep` moves the running wizard one step on (its Next).
    // `beforeFinish`, when set, is asked with the copies' outcome before a
    // backup moves the wizard to Finish; false keeps it where it is.
    ClsSims(platform::Services& services, platform::ShellCopy& copier, std::string backupFolder,
            std::function<void()> nextStep, std::function<bool(const SetsOutcome&)> beforeFinish = {});

    // User-data folders, Downloads, GameData, (next step), ExpansionShared,
    // (next step): from the game folder into the backup folder.
    SetsOutcome BackupSims();
    // User-data folders, Downloads, (next step), GameData, SkinsBuy: from the
    // backup folder into the game folder.
    SetsOutcome RestoreSims();
    // Files (full paths) the copies leave out: a backup's damaged files.
    void leaveOut(std::vector<std::string> files) { options_.leaveOut = std::move(files); }
    // Where a restore keeps the game files it replaces (a folder inside the
    // game's own folder, on its drive), under their paths below the game.
    void keepReplacedIn(std::string folder) { keepRoot_ = std::move(folder); }

    static constexpr const char* kGameFolder = "C:\\Program Files\\Maxis\\The Sims";

    // Whether a folder is a user-data folder: its own name (the last level
    // of `path`) holds "UserData", letter case ignored.
    static bool isUserData(const std::string& path);
    // The game's own sets in `game`: its user-data folders, Downloads,
    // GameData and ExpansionShared, those that exist.
    static std::vector<std::string> gameSets(platform::FileSystem& files, const std::string& game);

private:
    // One step of a breadth-first walk: takes the oldest pending folder off
    // the queue, appends its visible subfolders, returns the queue.
    std::deque<std::string>& GetSubFolders(const std::string& strFolder);

    platform::Services& services_;
    platform::ShellCopy& copier_;
    std::string backupFolder_;
    std::function<void()> nextStep_;
    std::function<bool(const SetsOutcome&)> beforeFinish_;
    platform::CopyOptions options_;
    std::string keepRoot_;
    std::unique_ptr<std::deque<std::string>> pending_;
};

}  // namespace orr
