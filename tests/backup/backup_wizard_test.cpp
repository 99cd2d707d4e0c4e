// The backup wizard on every toolkit available here: the step machine with
// its button rows and rail, the checks at Step 2, a whole backup from one
// Next, and what Select asks the folder picker. Copy to Clipboard, Esc and
// Cancel during the copy are the backup scenarios', the panels' look the
// screenshots'.
#include "gamedata/Descriptor.h"
#include "backup/frmBackup.h"
#include "gamedata/gamedata_fixture.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "ui/program_fixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace orr {
namespace {

using test::Buttons;
using Texts = std::vector<std::string>;

constexpr const char* kNotAFolder = "This is not a valid folder please select another folder";

class BackupWizard : public ::testing::TestWithParam<std::string>, public test::ProgramFixture {
protected:
    void SetUp() override {
        if (!start(GetParam())) GTEST_SKIP() << "no desktop to show windows on";
    }
    // Starts the program and the wizard, which looks for the game.
    void open() {
        startProgram(*program);
        ASSERT_TRUE(gui->click(program->mainMenu().Command4));
        ASSERT_TRUE(wizard().visible());
    }
    void TearDown() override {
        program.reset();  // the wizard's windows go before the game folder
        gameFolder.reset();
    }

    frmBackup& wizard() { return program->backupWizard(); }
    Buttons buttons() { return test::buttonsOf(wizard()); }
    void next() { ASSERT_TRUE(gui->click(wizard().cmdNext)); }
    void back() { ASSERT_TRUE(gui->click(wizard().cmdBack)); }
    void toStep2() {
        next();
        next();
        ASSERT_EQ(program->backupStep, 2);
    }
    std::string game(const std::string& relative) const { return std::string(kFixedGameFolder) + "\\" + relative; }

    std::optional<test::GameFolderGuard> gameFolder;
};

TEST_P(BackupWizard, LoadsAtStartLaidOutInsideItsWindow) {
    open();
    test::expectStep(wizard(), 0);
    EXPECT_EQ(buttons(), (Buttons{false, true, false, true}));
    EXPECT_EQ(wizard().cancelButton(), &wizard().cmdCancel);
    EXPECT_EQ(wizard().text1.text(), "");
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

TEST_P(BackupWizard, Step2RefusesAnEmptyBoxAndAnythingButAnExistingFolder) {
    open();
    toStep2();
    frmBackup& w = wizard();
    program->backupFolder = "C:\\earlier";

    next();
    const std::string notes = root.path("notes.txt");
    file(notes, "not a folder");
    for (const std::string& refused : {root.path("missing"), notes}) {
        ASSERT_TRUE(gui->type(w.text1, refused));
        next();
        EXPECT_EQ(w.text1.text(), "") << refused;
    }
    EXPECT_EQ(messages.texts(), (Texts{"Please enter a path into the Folder selection box", kNotAFolder, kNotAFolder}));
    for (const auto& m : messages.shown) {
        EXPECT_EQ(m.caption, "Orrindale");
        EXPECT_EQ(m.buttons, platform::MsgButtons::ok);
        EXPECT_EQ(m.icon, platform::MsgIcon::none);
    }
    // Still at Step 2 with its row, and nothing went anywhere.
    test::expectStep(wizard(), 2);
    EXPECT_EQ(buttons(), (Buttons{true, true, false, true}));
    EXPECT_EQ(program->backupFolder, "C:\\earlier");
    EXPECT_TRUE(copies->copies.empty());
}

TEST_P(BackupWizard, OneNextAtStep2BacksUpIntoTheTypedFolderAndEndsAtFinish) {
    gameFolder.emplace(files());
    file(game("UserData\\Characters\\User00001.iff"), "character");
    file(game("Downloads\\Sofa.far"), "sofa");
    file(game("GameData\\Skins\\B001.bmp"), "skin");
    file(game("ExpansionShared\\SkinsBuy\\Shirt.bmp"), "shirt");
    const std::string folder = root.path("Backups");
    test::makeFolders(files(), folder);
    open();
    frmBackup& w = wizard();
    // The step and the buttons as each copy starts.
    std::vector<std::pair<int, Buttons>> seen;
    copies->onCopy = [&](const ui::RecordingCopy::Copy&) { seen.emplace_back(program->backupStep, buttons()); };

    toStep2();
    ASSERT_TRUE(gui->type(w.text1, folder));
    next();

    // Finish, with only Finish and Cancel to press and the folder shown.
    test::expectStep(wizard(), 5);
    EXPECT_EQ(buttons(), (Buttons{false, false, true, true}));
    EXPECT_EQ(w.txtPath.text(), folder);
    EXPECT_EQ(program->backupFolder, folder);
    EXPECT_TRUE(messages.shown.empty());

    // The sets went into the typed folder: three at Step 3, the expansion
    // folder at Step 4, every button but Cancel locked meanwhile.
    Texts sources;
    for (const auto& c : copies->copies) {
        sources.push_back(c.source);
        EXPECT_EQ(c.destination, folder);
    }
    EXPECT_EQ(sources, (Texts{game("UserData"), game("Downloads"), game("GameData"), game("ExpansionShared")}));
    ASSERT_EQ(seen.size(), 4u);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].first, i < 3 ? 3 : 4) << "copy " << i;
        EXPECT_EQ(seen[i].second, (Buttons{false, false, false, true})) << "copy " << i;
    }
    EXPECT_EQ(files().readFile(folder + "\\UserData\\Characters\\User00001.iff"), "character");
    EXPECT_EQ(files().readFile(folder + "\\ExpansionShared\\SkinsBuy\\Shirt.bmp"), "shirt");

    // One descriptor of today's date naming the folder, and nothing else.
    const std::string descriptor = descriptor::fileName(folder, program->services.clock.now());
    Texts descriptors;
    for (const auto& e : files().list(folder + "\\*.BAK")) descriptors.push_back(folder + "\\" + e.name);
    EXPECT_EQ(descriptors, Texts{descriptor});
    EXPECT_EQ(files().readFile(descriptor), "[Backup]\r\nVersion=Sims\r\nBackup_Location=" + folder + "\r\n");

    // Finish ends the program.
    EXPECT_THROW(gui->click(w.cmdFinish), ui::ProgramEnded);
    EXPECT_TRUE(gui->ended());
    EXPECT_FALSE(w.loaded());
}

TEST_P(BackupWizard, SelectAsksThePickerStartingAtCTestAndTakesItsFolderWithoutSpaces) {
    open();
    toStep2();
    dialogs.folderAnswers.push_back("  C:\\Backups\\Sims one  ");
    ASSERT_TRUE(gui->click(wizard().btnSelect));
    EXPECT_EQ(program->backupFolder, "C:\\Backups\\Sims one");
    EXPECT_EQ(wizard().text1.text(), "C:\\Backups\\Sims one");
    ASSERT_EQ(dialogs.folderRequests.size(), 1u);
    EXPECT_EQ(dialogs.folderRequests[0].title, "Quillvault Folder");
    EXPECT_EQ(dialogs.folderRequests[0].prompt, "Select or create a new folder to backup to:");
    EXPECT_EQ(dialogs.folderRequests[0].initialFolder, "c:\\test");
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Toolkits, BackupWizard, ::testing::ValuesIn(test::uiBackendNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace orr
