// The running program: the services it works with, its three forms (each
// made on first use and kept as the one program-wide instance), and the
// program-wide values. Forms and run classes receive it by reference; there
// is no other program-wide state.
#pragma once

#include "gamedata/GameFolder.h"
#include "platform/browser.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/folders.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "copy/folder_copier.h"
#include "platform/weekly_task.h"
#include "ui/Gui.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace orr {

class frmMain;
class frmBackup;
class frmRestore;

// The window system's services besides the core platform ones.
struct Desktop {
    ui::Gui& gui;
    platform::Clipboard& clipboard;
    platform::Browser& browser;
    platform::UserFolders& folders;
    platform::FolderCopier& folderCopier;
    platform::FileDialogs& dialogs;
    platform::Registry& registry;
    // Tells whether the game runs (gameRuns, gamedata/GameRunning.h).
    platform::Processes& processes;
    // The weekly backup the backup wizard's Finish panel sets.
    platform::WeeklyTasks& weeklyTasks;
};

class Program {
public:
    // `core` supplies everything but the event pump and the mouse pointer,
    // which are the toolkit's own.
    Program(const platform::Services& core, const Desktop& desktop);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    platform::Services services;
    ui::Gui& gui;
    platform::Clipboard& clipboard;
    platform::Browser& browser;
    platform::UserFolders& folders;
    // Whole-folder copies and the file and folder choosers.
    platform::FolderCopier& folderCopier;
    platform::FileDialogs& dialogs;
    platform::Registry& registry;
    platform::Processes& processes;
    platform::WeeklyTasks& weeklyTasks;

    // Where the game is, looked for as each wizard starts.
    GameSearch game;
    void lookForGame();
    // The game found; the fixed folder when none was (the wizards go no
    // further than their checks then).
    GameFolder gameFolder() const { return game.found.value_or(GameFolder::fixed()); }

    // The folder a backup writes into or a restore reads from.
    std::string backupFolder;
    // The backup wizard's step: 0 Start, 1 to 4 Step 1 to 4, 5 Finish.
    std::int16_t backupStep = 0;

    frmMain& mainMenu();
    frmBackup& backupWizard();
    frmRestore& restoreWizard();

    // Ends the program at once: open files are closed, every window goes
    // without further events, and nothing after the call runs.
    [[noreturn]] void end();

    // What the wizards' Cancel and their frames' closing do: end the
    // program, or, while a backup or restore runs, ask the run to stop. The
    // run then leaves its files in a known state, tells the user what that
    // state is, and ends the program itself (endAfterRun()).
    void quit();
    // Set while a run copies: stop() asks it to stop (between files).
    const std::atomic<bool>& stopFlag() const { return stop_; }
    bool endAfterRun() const { return endAfterRun_; }

    // Marks a backup or restore run for as long as it lives.
    class Running {
    public:
        explicit Running(Program& program);
        ~Running();
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

    private:
        Program& program_;
    };

private:
    std::unique_ptr<frmMain> mainMenu_;
    std::unique_ptr<frmBackup> backupWizard_;
    std::unique_ptr<frmRestore> restoreWizard_;
    bool running_ = false;
    bool endAfterRun_ = false;
    std::atomic<bool> stop_{false};
};

// The message that names a failure no handler caught.
std::string unhandledErrorText(const RunError& e);

}  // namespace orr
