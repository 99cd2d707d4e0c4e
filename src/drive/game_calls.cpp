// `call` routes for the gamedata functions that ask the desktop: whether
// the game runs, over the driver's scripted processes.
#include "Calls.h"
#include "Script.h"
#include "gamedata/GameRunning.h"

namespace orr::drive {

void addGameCalls(CallTable& table, platform::Processes& processes) {
    table.add("GameRunning.gameRuns", [&processes](platform::Services&, const Args& a) -> Result {
        return gameRuns(processes, asText(argAt(a, 0)));
    });
}

}  // namespace orr::drive
