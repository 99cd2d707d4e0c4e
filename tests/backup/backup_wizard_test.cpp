// The backup wizard on every toolkit available here: the step machine with
// its button rows and rail, the checks at Step 2, a whole backup from one
// Next, and what Select asks the folder picker. Copy to Clipboard, Esc and
// Cancel during the copy are the backup scenarios', the panels' look the
// screenshots'.
#include "backup/frmBackup.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "ui/program_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orr {
namespace {

using test::Buttons;
using Texts = std::vector<std::string>;


class BackupWizard : public ::testing::TestWithParam<std::string>, public test::ProgramFixture {
protected:
    void SetUp() override {
        if (!start(GetParam())) GTEST_SKIP() << "no desktop to show windows on";
    }
    // Starts the program and the wizard, which looks for the game.
    void open() {
        startProgram(*program);
        ASSERT_TRUE(gui->click(program->mainMenu().cmdStart));
        ASSERT_TRUE(wizard().visible());
    }

    frmBackup& wizard() { return program->backupWizard(); }
    Buttons buttons() { return test::buttonsOf(wizard()); }
    void next() { ASSERT_TRUE(gui->click(wizard().cmdNext)); }
    void back() { ASSERT_TRUE(gui->click(wizard().cmdBack)); }
};

TEST_P(BackupWizard, LoadsAtStartLaidOutInsideItsWindow) {
    open();
    test::expectStep(wizard(), 0);
    EXPECT_EQ(buttons(), (Buttons{false, true, false, true}));
    EXPECT_EQ(wizard().cancelButton(), &wizard().cmdCancel);
    EXPECT_EQ(wizard().txtFolder.text(), "");
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(wizard().fraSteps(i).bounds(), wizard().fraSteps(0).bounds()) << i;
    test::expectLaidOut(wizard());
}

TEST_P(BackupWizard, NextAndBackSetTheButtonsByTheStepTheyLeave) {
    open();
    program->backupFolder = "C:\\untouched";
    // Next at Start leaves the load row: Back stays disabled on Step 1.
    next();
    test::expectStep(wizard(), 1);
    EXPECT_EQ(buttons(), (Buttons{false, true, false, true}));
    // Next at Step 1: Back on.
    next();
    test::expectStep(wizard(), 2);
    EXPECT_EQ(buttons(), (Buttons{true, true, false, true}));
    // Back from Step 2 keeps Back on, so Step 1 can go back to Start.
    back();
    test::expectStep(wizard(), 1);
    EXPECT_EQ(buttons(), (Buttons{true, true, false, true}));
    // Back at Step 1: Start, Back off.
    back();
    test::expectStep(wizard(), 0);
    EXPECT_EQ(buttons(), (Buttons{false, true, false, true}));
    // And round again: Step 1 reached from Start has Back off once more.
    next();
    test::expectStep(wizard(), 1);
    EXPECT_EQ(buttons(), (Buttons{false, true, false, true}));

    // None of these moves ran a copy, wrote a descriptor or said anything.
    EXPECT_TRUE(copies->copies.empty());
    EXPECT_EQ(program->backupFolder, "C:\\untouched");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(wizard().txtPath.text(), "C:\\untouched");  // every Next shows the folder
}

INSTANTIATE_TEST_SUITE_P(Toolkits, BackupWizard, ::testing::ValuesIn(test::uiBackendNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace orr
