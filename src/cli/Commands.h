// What the command line does: a whole backup with no window, a check of a
// backup against its manifest, the installs found. Each prints to the
// console in the wizards' own words and returns the program's exit code.
#pragma once

#include "Arguments.h"
#include "gamedata/GameFolder.h"
#include "platform/folders.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "platform/weekly_task.h"
#include "copy/folder_copier.h"

#include <atomic>
#include <iosfwd>
#include <optional>

namespace orr::cli {

namespace exitcode {
inline constexpr int done = 0;      // complete and marked; a backup with no damaged file
inline constexpr int failed = 1;    // copied with failures, not marked; damaged or missing files
inline constexpr int refused = 2;   // nothing written: no game, no room, the game runs, a refused folder
inline constexpr int badUsage = 3;  // a wrong command line (or a prefix without drive Z:)
}  // namespace exitcode

// The services a command works with; `services` holds quiet ones for the
// pointer and the events (there is no window).
struct Machine {
    platform::Services& services;
    platform::FolderCopier& copier;
    platform::Registry& registry;
    platform::UserFolders& folders;
    platform::Processes& processes;
    // The weekly backups (/unschedule); none where the schedule is the
    // user's own (Linux).
    platform::WeeklyTasks* tasks = nullptr;
    // The install --steam found; nothing: the installs are looked for.
    std::optional<GameFolder> steamGame;
    // Whether "/a/b" names a folder of the host, reached through drive Z:
    // (the POSIX program, on a Wine prefix).
    bool hostPaths = false;
    // Set when the user or the system asks the run to stop
    // (catchStopRequests): the backup stops between files, unmarked.
    const std::atomic<bool>* stop = nullptr;
};

int run(const Arguments& arguments, Machine& machine, std::ostream& out, std::ostream& err);

}  // namespace orr::cli
