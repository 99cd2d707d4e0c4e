// Start-up and the main menu, on every toolkit available here.
#include "backup/frmBackup.h"
#include "program_fixture.h"
#include "restore/frmRestore.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "ui/headless/HeadlessGui.h"

#include <gtest/gtest.h>

namespace orr {
namespace {

using ui::Key;

const ui::KeyPress altF4{Key::f4, 0, false, true};

class MainMenu : public ::testing::TestWithParam<std::string>, public test::ProgramFixture {
protected:
    void SetUp() override {
        if (!start(GetParam())) GTEST_SKIP() << "no desktop to show windows on";
        startProgram(*program);
    }
    frmMain& menu() { return program->mainMenu(); }
};

TEST_P(MainMenu, StartUpShowsTheMenuWithBackupChosenCancelFocusedAndNoCancelButton) {
    frmMain& m = menu();
    EXPECT_TRUE(m.visible());
    EXPECT_FALSE(m.shownModal());
    EXPECT_EQ(m.hWnd() != 0, GetParam() != "headless");
    EXPECT_TRUE(m.optBackup.value());
    EXPECT_FALSE(m.optRestore.value());
    EXPECT_EQ(m.activeControl(), &m.cmdQuit);
    EXPECT_LT(m.cmdQuit.tabIndex(), m.optBackup.tabIndex());
    EXPECT_LT(m.optBackup.tabIndex(), m.optRestore.tabIndex());
    EXPECT_LT(m.optRestore.tabIndex(), m.cmdStart.tabIndex());
    test::expectLaidOut(m);
    // Neither button is the cancel button: Esc means nothing here.
    EXPECT_EQ(m.cancelButton(), nullptr);
    EXPECT_FALSE(gui->key(m, {Key::escape}));
    EXPECT_TRUE(m.visible());
}

TEST_P(MainMenu, CancelEndsTheProgramAndClosesOpenFiles) {
    auto& table = program->services.fileTable;
    table.openOutput(1, root.path("open.txt"));
    EXPECT_THROW(gui->click(menu().cmdQuit), ui::ProgramEnded);
    EXPECT_FALSE(table.isOpen(1));
    EXPECT_TRUE(gui->ended());
    EXPECT_FALSE(menu().visible());
    EXPECT_FALSE(menu().loaded());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(MainMenu, ClosingTheMenuWindowEndsTheProgram) {
    EXPECT_THROW(gui->key(menu(), altF4), ui::ProgramEnded);
    EXPECT_TRUE(gui->ended());
}

TEST_P(MainMenu, AFailureInTheLinkIsReportedByNumberAndEndsTheProgram) {
    // The page file vanishes under the link's feet: deleting it fails.
    browser.onStart = [&](const ui::ScriptedBrowser::Start&) {
        program->services.files.removeFile(browser.asked.front());
    };
    const auto owner = menu().hWnd();
    EXPECT_THROW(gui->click(menu().lblProductPage), ui::ProgramEnded);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Run-time error '53': File not found");
    EXPECT_EQ(messages.shown[0].caption, "Orrindale");
    EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::none);
    EXPECT_EQ(browser.started.size(), 1u);
    EXPECT_EQ(browser.started[0].owner, owner);
}

INSTANTIATE_TEST_SUITE_P(Toolkits, MainMenu, ::testing::ValuesIn(test::uiBackendNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace orr
