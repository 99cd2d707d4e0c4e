// Whether the game of an install is running: while it runs, it rewrites the
// neighbourhood as it saves or quits, so a restore under it is lost or
// mixed and a backup may catch half-written files.
#pragma once

#include "Retry.h"

#include <string>

namespace orr {

namespace platform {
class Processes;
}

// The game's executable, as the system lists it.
inline constexpr const char* kGameExecutable = "Sims.exe";

// What the user is told when the game runs as a copy would start.
inline std::string gameRunningText(const Retry& retry = kWizardRetry) {
    return "The Sims is running. Save and quit the game, then " + std::string(retry.again) + ".";
}

// True when a Sims.exe runs from inside `gameFolder` (by the text of the
// paths, letter case ignored), or when a Sims.exe runs whose path cannot be
// read: it may be this install's. With `gameFolder` "" (an install known by
// its user data alone) any Sims.exe may be it. False when the process list
// itself cannot be read: a check that cannot be made does not stop the user.
bool gameRuns(platform::Processes& processes, const std::string& gameFolder);

}  // namespace orr
