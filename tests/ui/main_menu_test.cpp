// Start-up and the main menu, on every toolkit available here.
#include "program_fixture.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"

#include <gtest/gtest.h>

namespace orr {
namespace {

class MainMenu : public ::testing::TestWithParam<std::string>, public test::ProgramFixture {
protected:
    void SetUp() override {
        if (!start(GetParam())) GTEST_SKIP() << "no desktop to show windows on";
        startProgram(*program);
    }
    frmMain& menu() { return program->mainMenu(); }
};

// The focus, the choice and Esc at start-up are the main-menu scenario's.
TEST_P(MainMenu, StartUpShowsTheMenuModelessWithCancelFirstAndLaidOutAndClosingItEndsTheProgram) {
    frmMain& m = menu();
    EXPECT_FALSE(m.shownModal());
    EXPECT_EQ(m.hWnd() != 0, GetParam() != "headless");
    EXPECT_LT(m.cmdQuit.tabIndex(), m.optBackup.tabIndex());
    EXPECT_LT(m.optBackup.tabIndex(), m.optRestore.tabIndex());
    EXPECT_LT(m.optRestore.tabIndex(), m.cmdStart.tabIndex());
    test::expectLaidOut(m);

    EXPECT_THROW(gui->key(menu(), {ui::Key::f4, 0, false, /*alt*/ true}), ui::ProgramEnded);
    EXPECT_TRUE(gui->ended());
}

TEST_P(MainMenu, CancelEndsTheProgramAndClosesOpenFiles) {
    auto& table = program->services.fileTable;
    table.openOutput(1, root.path("open.txt"));
    EXPECT_THROW(gui->click(menu().cmdQuit), ui::ProgramEnded);
    EXPECT_FALSE(table.isOpen(1));
    EXPECT_FALSE(menu().visible());
    EXPECT_FALSE(menu().loaded());
}

TEST_P(MainMenu, AFailureInTheLinkIsReportedByNumberAndEndsTheProgram) {
    // The page file vanishes under the link's feet: deleting it fails.
    browser.onStart = [&](const drive::ScriptedBrowser::Start&) {
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
