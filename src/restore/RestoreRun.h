// One restore run: the backup's sets copied back into the game (or its
// VirtualStore folder), every game file it replaces kept first in an undo
// folder, which is marked as a backup of its own on every way out of the
// run that kept something, also when the program ends inside a copy.
// Files of `leaveOut` (full paths in the backup) are not restored, nor the
// sets of `leftOutSets` (paths below the backup folder, as restoredSets
// gives them: the sets the user did not choose); a file
// whose bytes differ from what its manifest lists (`listed`, as checked
// before the run) fails. `stop`, when set, is asked between files: true
// stops the run (`cancelled`).
#pragma once

#include "gamedata/GameFolder.h"
#include "gamedata/RunFront.h"
#include "platform/services.h"
#include "copy/folder_copier.h"

#include <atomic>
#include <string>
#include <vector>

namespace orr {

RunResult runRestore(platform::Services& services, platform::FolderCopier& copier, const GameFolder& game,
                     const std::string& backupFolder, const std::vector<std::string>& leaveOut,
                     const std::vector<std::string>& leftOutSets,
                     const std::vector<platform::CopyOutcome::FileDigest>& listed, RunFront& front,
                     const std::atomic<bool>* stop = nullptr);

}  // namespace orr
