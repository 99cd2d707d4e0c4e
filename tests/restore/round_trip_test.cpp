// A backup through the backup wizard, the game folder emptied, and a
// restore through the restore wizard: the customizations come back byte
// for byte, the backup leaves the game alone, the restore deletes nothing
// and leaves the backup alone. On every toolkit available here.
#include "backup/frmBackup.h"
#include "gamedata/gamedata_fixture.h"
#include "restore/frmRestore.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "ui/program_fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace orr {
namespace {

const std::string kGame = kFixedGameFolder;

class RoundTrip : public ::testing::TestWithParam<std::string>, public test::ProgramFixture {
protected:
    void SetUp() override {
        if (!start(GetParam())) GTEST_SKIP() << "no desktop to show windows on";
        game.emplace(files());
    }
    void TearDown() override {
        program.reset();  // the windows go before the game folder
        game.reset();
    }

    // A new run of the program, as the user starts it again.
    void restart() {
        program.reset();
        gui.reset();
        ASSERT_TRUE(start(GetParam()));
    }

    std::optional<test::GameFolderGuard> game;
};

TEST_P(RoundTrip, ABackupRestoredIntoAnEmptiedGameBringsBackEveryCustomization) {
    const std::string bytes = std::string("\0\x01\xfe\xff\r\n\x1a", 7);
    file(kGame + "\\UserData\\Characters\\User00001.iff", bytes + "character");
    file(kGame + "\\UserData\\Houses\\House01.iff", bytes + "house");
    file(kGame + "\\UserData7\\Neighborhood.iff", bytes + "neighbourhood");
    file(kGame + "\\User Data\\not user data.txt", "a space in the name");
    file(kGame + "\\Downloads\\Sofa.far", bytes + "sofa");
    file(kGame + "\\GameData\\Skins\\B001.bmp", bytes + "skin");
    file(kGame + "\\GameData\\empty.txt", "");
    file(kGame + "\\ExpansionShared\\SkinsBuy\\Shirt.bmp", bytes + "shirt");
    file(kGame + "\\ExpansionShared\\Music\\song.mp3", "not restored");
    file(kGame + "\\Sims.exe", "the game");
    const auto gameBefore = test::snapshot(files(), kGame);
    const std::string backup = root.path("Backup");
    test::makeFolders(files(), backup);

    // The backup, as the user makes it.
    startProgram(*program);
    ASSERT_TRUE(gui->click(program->mainMenu().Command4));
    frmBackup& b = program->backupWizard();
    ASSERT_TRUE(gui->click(b.cmdNext));
    ASSERT_TRUE(gui->click(b.cmdNext));
    ASSERT_TRUE(gui->type(b.text1, backup));
    ASSERT_TRUE(gui->click(b.cmdNext));
    ASSERT_EQ(program->backupStep, 5);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(test::snapshot(files(), kGame), gameBefore) << "a backup changed the game folder";
    EXPECT_THROW(gui->click(b.cmdFinish), ui::ProgramEnded);

    std::string descriptor;
    for (const auto& e : files().list(backup + "\\Sims_*.BAK")) descriptor = backup + "\\" + e.name;
    ASSERT_FALSE(descriptor.empty());
    const auto backupBefore = test::snapshot(files(), backup);

    // The game folder emptied; something new appears in it meanwhile.
    test::removeTree(files(), kGame);
    game->make();
    file(kGame + "\\UserData\\Characters\\New.iff", "made after the backup");

    restart();
    frmRestore& r = program->restoreWizard();
    r.show();
    ASSERT_TRUE(gui->click(r.cmdNext));
    dialogs.openAnswers.push_back(descriptor);
    ASSERT_TRUE(gui->click(r.btnSelect));
    ASSERT_TRUE(gui->click(r.cmdNext));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(r.step(), 5);
    EXPECT_TRUE(r.cmdFinish.enabled());
    EXPECT_FALSE(r.cmdBack.enabled() || r.cmdNext.enabled() || r.cmdCancel.enabled());

    std::map<std::string, std::string> expected;
    // Only these come back; the rest of the game's folder stays in the backup.
    for (const auto& [path, content] : gameBefore)
        if (path == "ExpansionShared" ||
            test::within(path, {"UserData", "UserData7", "Downloads", "GameData", "ExpansionShared\\SkinsBuy"}))
            expected[path] = content;
    expected["UserData\\Characters\\New.iff"] = "made after the backup";
    EXPECT_EQ(test::snapshot(files(), kGame), expected);
    EXPECT_EQ(test::snapshot(files(), backup), backupBefore) << "a restore changed the backup";
    EXPECT_THROW(gui->click(r.cmdFinish), ui::ProgramEnded);
}

INSTANTIATE_TEST_SUITE_P(Toolkits, RoundTrip, ::testing::ValuesIn(test::uiBackendNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace orr
