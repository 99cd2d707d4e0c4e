// Both wizards on every toolkit available here: how each loads, the rows
// Back leaves on the backup wizard, Cancel and closing while a run copies,
// and the order of a restore run's moves and yields, refused first while
// another run holds the drives. Moving about, the checks and whole runs are
// the scenarios', the panels' look the screenshots'.
#include "backup/frmBackup.h"
#include "gamedata/RunReport.h"
#include "gamedata/gamedata_fixture.h"
#include "restore/frmRestore.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "support/other_run.h"
#include "ui/program_fixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace orr {
namespace {

using test::Buttons;

class Wizards : public ::testing::TestWithParam<std::string>, public test::ProgramFixture {
protected:
    void SetUp() override {
        if (!start(GetParam())) GTEST_SKIP() << "no desktop to show windows on";
    }
    frmBackup& backup() { return program->backupWizard(); }
    frmRestore& restore() { return program->restoreWizard(); }
};

TEST_P(Wizards, EachLoadsAtStartLaidOutBackSetsTheBackupButtonsByTheStepItLeavesAndCancelOrCloseStopARun) {
    startProgram(*program);
    ASSERT_TRUE(gui->click(program->mainMenu().cmdStart));
    restore().show();  // modeless: the test itself is the user
    auto expectAtStart = [](const auto& w) {
        test::expectStep(w, 0);
        EXPECT_EQ(test::buttonsOf(w), (Buttons{false, true, false, true}));
        for (int i = 1; i <= 5; ++i) EXPECT_EQ(w.fraSteps(i).bounds(), w.fraSteps(0).bounds()) << i;
        test::expectLaidOut(w);
    };
    expectAtStart(backup());
    expectAtStart(restore());

    // Back from Step 2 keeps Back on, so that Step 1 can go back to Start.
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(gui->click(backup().buttons.cmdNext));
    ASSERT_TRUE(gui->click(backup().buttons.cmdBack));
    test::expectStep(backup(), 1);
    EXPECT_EQ(test::buttonsOf(backup()), (Buttons{true, true, false, true}));
    ASSERT_TRUE(gui->click(backup().buttons.cmdBack));
    test::expectStep(backup(), 0);
    EXPECT_EQ(test::buttonsOf(backup()), (Buttons{false, true, false, true}));

    // While a run copies, Cancel and closing the frame ask it to stop (it then
    // says what the files hold and ends the program itself); otherwise they
    // end the program at once.
    {
        const Program::Running running(*program);
        restore().FrameClose();
        EXPECT_TRUE(program->stopFlag());
        EXPECT_TRUE(program->endAfterRun());
        EXPECT_TRUE(restore().loaded());
    }
    {
        const Program::Running running(*program);
        EXPECT_FALSE(program->stopFlag());
        backup().buttons.cmdCancel.Click();
        EXPECT_TRUE(program->stopFlag());
    }
    EXPECT_THROW(backup().buttons.cmdCancel.Click(), ui::ProgramEnded);
}

// A run of another copy (a scheduled backup) holds the drives: Next at
// Step 2 says so and stays, with nothing written.
TEST_P(Wizards, ABackupIsRefusedWhileAnotherRunHoldsTheDrives) {
    test::GameFolderGuard game(files());
    game.make();
    file(std::string(kFixedGameFolder) + "\\UserData\\Neighborhood.iff", "neighbourhood");
    const std::string folder = root.path("Backups");
    ASSERT_EQ(files().makeDirectory(folder), platform::Status::ok);
    startProgram(*program);
    ASSERT_TRUE(gui->click(program->mainMenu().cmdStart));
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(gui->click(backup().buttons.cmdNext));
    ASSERT_TRUE(gui->type(backup().txtFolder, folder));
    {
        test::OtherRun scheduled(files());
        ASSERT_TRUE(gui->click(backup().buttons.cmdNext));
    }
    EXPECT_EQ(messages.texts(), std::vector<std::string>{report::anotherRunText()});
    test::expectStep(backup(), 2);
    EXPECT_TRUE(files().list(folder + "\\*.*").empty());
}

// Next, RestoreSims (which moves the wizard once), Next, then the yields:
// a Finish click waiting from the last copy is served only by the yields
// after the last Next, which end the program from inside the first Next.
TEST_P(Wizards, TheRestoreRunMovesOnBeforeAndAfterTheCopiesThenYields) {
    test::GameFolderGuard game(files());
    game.make();
    const std::string saved = root.path("Backup");
    for (const char* set : {"UserData", "UserData2", "Downloads", "GameData", "ExpansionShared\\SkinsBuy"})
        file(saved + "\\" + set + "\\f.iff", set);
    file(saved + "\\Sims_2026.12.05.BAK", "[Backup]\r\nVersion=Sims\r\nBackup_Location=" + saved + "\r\n");
    restore().show();
    copies->passTo(nullptr);  // the copies themselves let no events run
    std::vector<int> steps;
    copies->onCopy = [&](const drive::RecordingCopy::Copy& c) {
        steps.push_back(restore().step());
        if (c.source.ends_with("SkinsBuy")) gui->queueClick(restore().buttons.cmdFinish);
    };
    std::optional<int> stepAtEnd;
    gui->onEnd([&] { stepAtEnd = restore().step(); });

    ASSERT_TRUE(gui->click(restore().buttons.cmdNext));
    ASSERT_TRUE(gui->type(restore().txtDescriptor, saved + "\\Sims_2026.12.05.BAK"));
    {
        // A scheduled backup runs: refused before any check or copy, still on Step 1.
        test::OtherRun backingUp(files());
        ASSERT_TRUE(gui->click(restore().buttons.cmdNext));
        EXPECT_EQ(messages.texts(), std::vector<std::string>{report::anotherRunText()});
        EXPECT_EQ(restore().step(), 1);
        EXPECT_TRUE(steps.empty());
    }
    messages.answerNext(platform::MsgAnswer::yes);  // restore a backup that has no manifest
    bool nextReturned = false;
    EXPECT_THROW(
        {
            gui->click(restore().buttons.cmdNext);
            nextReturned = true;
        },
        ui::ProgramEnded);
    EXPECT_FALSE(nextReturned);
    EXPECT_EQ(stepAtEnd, 5);
    EXPECT_EQ(steps, (std::vector<int>{3, 3, 3, 4, 4}));
}

INSTANTIATE_TEST_SUITE_P(Toolkits, Wizards, ::testing::ValuesIn(test::uiBackendNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace orr
