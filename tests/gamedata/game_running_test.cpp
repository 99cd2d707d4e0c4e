// Whether the game of an install runs, over a scripted process list.
#include "gamedata/GameRunning.h"
#include "platform/processes.h"

#include <gtest/gtest.h>

namespace orr {
namespace {

using platform::RunningImage;

TEST(GameRunning, ASimsExeInsideTheFolderOrOfUnknownPlaceCountsAndNoOtherDoes) {
    const std::string game = "C:\\Program Files\\Maxis\\The Sims";
    const struct {
        const char* why;
        std::vector<RunningImage> images;
        bool runs;
    } cases[] = {
        {"inside", {{"Sims.exe", game + "\\Sims.exe"}}, true},
        {"in a folder of the game", {{"Sims.exe", game + "\\Bin\\Sims.exe"}}, true},
        {"other letter case", {{"SIMS.EXE", "c:\\program files\\MAXIS\\the sims\\SIMS.EXE"}}, true},
        {"forward slashes", {{"Sims.exe", "C:/Program Files/Maxis/The Sims/Sims.exe"}}, true},
        {"outside", {{"Sims.exe", "D:\\Games\\The Sims\\Sims.exe"}}, false},
        {"a sibling folder", {{"Sims.exe", "C:\\Program Files\\Maxis\\The Sims 2\\Sims.exe"}}, false},
        {"path unreadable", {{"Sims.exe", ""}}, true},
        {"unreadable among others",
         {{"Sims.exe", "D:\\Other\\Sims.exe"}, {"sims.exe", ""}}, true},
        {"no Sims.exe",
         {{"Sims2.exe", game + "\\Sims2.exe"}, {"notepad.exe", ""}, {"Sims.exe.bak", ""}}, false},
        {"nothing runs", {}, false},
    };
    for (const auto& c : cases) {
        platform::ScriptedProcesses processes;
        processes.images = c.images;
        EXPECT_EQ(gameRuns(processes, game), c.runs) << c.why;
        EXPECT_EQ(gameRuns(processes, game + "\\"), c.runs) << c.why << ", the folder with a closing \\";
    }

    // A list that cannot be read stops nobody; where the game folder is
    // unknown, any Sims.exe may be the game.
    platform::ScriptedProcesses processes;
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
