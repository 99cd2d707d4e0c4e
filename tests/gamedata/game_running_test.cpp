// Whether the game of an install runs, over a scripted process list.
#include "gamedata/GameRunning.h"
#include "platform/processes.h"

#include <gtest/gtest.h>

namespace orr {
namespace {

// Inside, beside, in other letter case, of unknown place: the game-running
// scenario's, on both layers. Here what it cannot script.
TEST(GameRunning, AClosingSeparatorAnUnreadableListOrAnUnknownFolderDecideAsTheyShould) {
    const std::string game = "C:\\Program Files\\Maxis\\The Sims";
    platform::ScriptedProcesses processes;
    processes.images = {{"Sims.exe", "C:/Program Files/Maxis/The Sims/Bin/Sims.exe"}};
    EXPECT_TRUE(gameRuns(processes, game + "\\"));
    processes.images = {{"Sims.exe", "C:\\Program Files\\Maxis\\The Sims 2\\Sims.exe"}};
    EXPECT_FALSE(gameRuns(processes, game + "\\"));

    // A list that cannot be read stops nobody; where the game folder is
    // unknown, any Sims.exe may be the game.
    processes.images = {{"Sims.exe", ""}, {"Sims.exe", game + "\\Sims.exe"}};
    processes.readable = false;
    EXPECT_FALSE(gameRuns(processes, game));
    processes.readable = true;
    processes.images = {{"Sims.exe", "D:\\Games\\The Sims\\Sims.exe"}};
    EXPECT_TRUE(gameRuns(processes, ""));
    processes.images = {{"Sims2.exe", "D:\\Games\\The Sims 2\\Sims2.exe"}};
    EXPECT_FALSE(gameRuns(processes, ""));
}

}  // namespace
}  // namespace orr
