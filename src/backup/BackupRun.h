// One backup run: the game's sets copied into the backup folder, which is
// marked as a backup (manifest and .BAK file, checked) only when every copy
// completed. `stop`, when set, is asked between files: true stops the run,
// and a run stopped before it was marked is `cancelled`.
#pragma once

#include "gamedata/GameFolder.h"
#include "gamedata/RunFront.h"
#include "platform/services.h"
#include "copy/folder_copier.h"

#include <atomic>
#include <string>

namespace orr {

RunResult runBackup(platform::Services& services, platform::FolderCopier& copier, const GameFolder& game,
                    const std::string& folder, RunFront& front, const std::atomic<bool>* stop = nullptr);

}  // namespace orr
