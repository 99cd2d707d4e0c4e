// The system's process list with a real process: a stand-in for the game
// (tests/helpers/waiting_game.cpp, built beside this program) copied into a
// game folder as Sims.exe and started there.
#include "gamedata/GameRunning.h"
#include "platform/ascii.h"
#include "platform/processes.h"
#include "platform/win32/handles.h"
#include "platform/windows_path.h"
#include "support/test_root.h"
#include "support/win32/started_process.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

namespace orr::test {
namespace {

using Handle = platform::win32::Owned<HANDLE, CloseHandle>;

// The folder this test program lies in.
std::string ownFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string self(path, n);
    return self.substr(0, self.find_last_of('\\'));
}

TEST(SystemProcesses, AGameStartedFromItsFolderRunsUntilItEnds) {
    TestRoot root;
    // The long form, as the system names a running program's file.
    char longBase[MAX_PATH + 1] = {};
    const DWORD n = GetLongPathNameA(root.base().c_str(), longBase, sizeof longBase);
    ASSERT_TRUE(n > 0 && n <= MAX_PATH);
    const std::string maxis = platform::joinPath(longBase, "Maxis");
    const std::string game = maxis + "\\The Sims", sibling = maxis + "\\The Sims 2";
    for (const std::string& folder : {maxis, game, sibling})
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string exe = game + "\\Sims.exe";
    ASSERT_TRUE(CopyFileA((ownFolder() + "\\waiting-game.exe").c_str(), exe.c_str(), TRUE));

    const auto processes = platform::makeProcesses();
    EXPECT_FALSE(gameRuns(*processes, game));

    const std::string readyName = "orr-test-game-" + std::to_string(GetCurrentProcessId());
    const Handle ready(CreateEventA(nullptr, TRUE, FALSE, readyName.c_str()));
    ASSERT_TRUE(ready);
    std::optional<StartedProcess> sims(std::in_place, exe, readyName);
    ASSERT_TRUE(*sims);
    ASSERT_EQ(WaitForSingleObject(ready.get(), 20000), WAIT_OBJECT_0);

    const auto images = processes->running("SIMS.EXE");
    ASSERT_TRUE(images);
    ASSERT_EQ(images->size(), 1u);
    EXPECT_TRUE(ascii::equal(images->front().path, exe)) << images->front().path;
    EXPECT_TRUE(gameRuns(*processes, game));
    EXPECT_FALSE(gameRuns(*processes, sibling));

    sims.reset();
    EXPECT_FALSE(gameRuns(*processes, game));
    EXPECT_EQ(processes->running("Sims.exe"), std::vector<platform::RunningImage>{});
}

}  // namespace
}  // namespace orr::test
