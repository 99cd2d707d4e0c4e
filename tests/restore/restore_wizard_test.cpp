// The restore wizard on every toolkit available here: the checks of Step 1,
// a whole restore from one Next with the copies on Steps 3 and 4, and the
// run's order of moves and yields. Moving about Step 1 and Select are the
// restore-navigation scenario's, the panels' look the screenshots'.
#include "gamedata/gamedata_fixture.h"
#include "restore/frmRestore.h"
#include "ui/program_fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orr {
namespace {

using test::Buttons;
using Tree = std::map<std::string, std::string>;

constexpr const char* kGame = kFixedGameFolder;
const std::string kNotABackup = "This is Not a Deve vozuvi, please select a Deve vozuvi";
const std::string kNoFolder = "The backup folder named in this file does not exist";
// Bytes a text-mode copy or a trimming reader would spoil.
const std::string kBinary = std::string("IFF\0\x01\xff\r\n\n\r tail ", 16);

// What the wizard shows as a copy starts.
struct Seen {
    int step;
    Buttons buttons;
    std::string copied;  // the last name of the folder being copied
};

class RestoreWizard : public ::testing::TestWithParam<std::string>, public test::ProgramFixture {
protected:
    void SetUp() override {
        if (!start(GetParam())) GTEST_SKIP() << "no desktop to show windows on";
    }
    // Loads the wizard, which looks for the game. The menu shows it modal;
    // its own tests cover that. Shown modeless here, the test itself is the user.
    void open() {
        wizard().show();
        ASSERT_TRUE(wizard().visible());
    }

    frmRestore& wizard() { return program->restoreWizard(); }
    void next() { ASSERT_TRUE(gui->click(wizard().cmdNext)); }
    void choose(const std::string& path) { ASSERT_TRUE(gui->type(wizard().text1, path)); }
    // A descriptor as a backup writes it, naming `location`.
    std::string descriptor(const std::string& path, const std::string& location) {
        file(path, "[Backup]\r\nVersion=Sims\r\nBackup_Location=" + location + "\r\n");
        return path;
    }
    // Notes what the wizard shows as each copy starts.
    void watchCopies(std::vector<Seen>& seen) {
        copies->onCopy = [&](const ui::RecordingCopy::Copy& c) {
            const std::string name = c.source.substr(c.source.find_last_of('\\') + 1);
            seen.push_back({wizard().step(), test::buttonsOf(wizard()), name});
        };
    }

    // A backup folder as a backup leaves it: two user-data folders,
    // Downloads, GameData, and ExpansionShared with more than SkinsBuy.
    std::string makeBackup(const std::string& backup) {
        file(backup + "\\UserData\\Characters\\User00001.iff", kBinary + "one");
        file(backup + "\\UserData\\Houses\\House01.iff", kBinary + "house");
        file(backup + "\\UserData2\\Neighborhood.iff", kBinary + "hood");
        file(backup + "\\Downloads\\skin.bmp", kBinary + "skin");
        file(backup + "\\GameData\\UserObjects\\obj.iff", kBinary + "object");
        file(backup + "\\ExpansionShared\\SkinsBuy\\buy.cmx", kBinary + "buy");
        file(backup + "\\ExpansionShared\\Other\\stays.txt", "stays in the backup");
        return descriptor(backup + "\\Sims_2026.12.05.BAK", backup);
    }

    std::optional<test::GameFolderGuard> game;
};

TEST_P(RestoreWizard, LoadsAtStartLaidOutInsideItsWindow) {
    open();
    test::expectStep(wizard(), 0);
    EXPECT_EQ(test::buttonsOf(wizard()), (Buttons{false, true, false, true}));
    EXPECT_EQ(wizard().cancelButton(), &wizard().cmdCancel);
    EXPECT_EQ(wizard().activeControl(), &wizard().cmdNext);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(wizard().fraSteps(i).bounds(), wizard().fraSteps(0).bounds()) << i;
    test::expectLaidOut(wizard());
}

TEST_P(RestoreWizard, EachCheckOfStep1ShowsItsMessageAndStaysOnStep1) {
    open();
    next();
    test::expectStep(wizard(), 1);
    EXPECT_EQ(test::buttonsOf(wizard()), (Buttons{false, true, false, true}));
    program->backupFolder = "before";

    file(root.path("Backup\\a file"), "x");
    test::makeFolders(files(), root.path("Old.bak"));
    auto bak = [&](const std::string& name, const std::string& content) {
        file(root.path(name), content);
        return root.path(name);
    };
    struct Case {
        std::string why, path, message;
        bool cleared;
    };
    const std::string noFile = "File does not exist,Please select a file";
    const std::string notBak = "Please select a file that has the .BAK extension";
    const std::string versionOnly = "[Backup]\r\nVersion=Sims\r\n";
    const Case cases[] = {
        {"empty", "", "Please select a file", false},
        {"spaces are not empty", "   ", noFile, true},
        {"missing file", root.path("missing.BAK"), noFile, true},
        {"wrong extension", bak("notes.txt", versionOnly), notBak, true},
        {"no extension", bak("BAK", versionOnly), notBak, true},
        {"a folder named *.bak", root.path("Old.bak"), kNotABackup, false},
        {"lower-case Version", bak("lower.BAK", "[Backup]\r\nVersion=sims\r\nBackup_Location=" + root.path("Backup")),
         kNotABackup, false},
        {"no Version", bak("noversion.BAK", "[Backup]\r\nBackup_Location=C:\\\r\n"), kNotABackup, false},
        {"missing section", bak("other.BAK", "[Other]\r\nVersion=Sims\r\n"), kNotABackup, false},
        {"missing Backup_Location", bak("nolocation.BAK", versionOnly), kNoFolder, false},
        {"empty Backup_Location", descriptor(root.path("empty.BAK"), ""), kNoFolder, false},
        {"Backup_Location names no folder", descriptor(root.path("gone.BAK"), root.path("Gone")), kNoFolder, false},
        {"Backup_Location names a file", descriptor(root.path("file.BAK"), root.path("Backup\\a file")), kNoFolder,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::size_t before = messages.shown.size();
        choose(c.path);
        next();
        ASSERT_EQ(messages.shown.size(), before + 1);
        const auto& shown = messages.shown.back();
        EXPECT_EQ(shown.text, c.message);
        EXPECT_EQ(shown.caption, "Orrindale");
        EXPECT_EQ(shown.buttons, platform::MsgButtons::ok);
        EXPECT_EQ(shown.icon, platform::MsgIcon::none);
        EXPECT_EQ(wizard().text1.text(), c.cleared ? "" : c.path);
        test::expectStep(wizard(), 1);
        // Next's row for Step 1 stands: Back is enabled now.
        EXPECT_EQ(test::buttonsOf(wizard()), (Buttons{true, true, false, true}));
        EXPECT_EQ(program->backupFolder, "before");
    }
    EXPECT_TRUE(copies->copies.empty());
}

TEST_P(RestoreWizard, AValidDescriptorRestoresEverySetThroughSteps3And4ToFinish) {
    game.emplace(files());
    game->make();
    open();
    const std::string backup = root.path("Backups\\Sims backup");
    makeBackup(backup);
    // The descriptor was moved elsewhere and its extension's case changed:
    // the backup is still read from the folder it names.
    const std::string chosen = descriptor(root.path("Moved\\sims_2026.12.05.Bak"), backup);
    const Tree backupBefore = test::snapshot(files(), backup);
    std::vector<Seen> seen;
    watchCopies(seen);

    next();
    choose(chosen);
    next();

    EXPECT_TRUE(messages.shown.empty()) << messages.texts().front();
    test::expectStep(wizard(), 5);
    EXPECT_EQ(test::buttonsOf(wizard()), (Buttons{false, false, true, false}));
    EXPECT_EQ(program->backupFolder, backup);
    EXPECT_EQ(wizard().text1.text(), chosen);

    // User data and Downloads copy on Step 3, GameData and SkinsBuy on Step
    // 4 (in that order), with only Cancel enabled throughout.
    ASSERT_EQ(seen.size(), 5u);
    std::map<std::string, int> stepOf;
    for (const Seen& s : seen) {
        EXPECT_EQ(s.buttons, (Buttons{false, false, false, true})) << s.copied;
        stepOf[s.copied] = s.step;
    }
    EXPECT_EQ(stepOf, (std::map<std::string, int>{
                          {"UserData", 3}, {"UserData2", 3}, {"Downloads", 3}, {"GameData", 4}, {"SkinsBuy", 4}}));
    EXPECT_EQ(seen[3].copied, "GameData");
    EXPECT_EQ(seen[4].copied, "SkinsBuy");

    // The sets came from the folder the descriptor names, which stayed as
    // it was. (What the game then holds is the game data's tests' and the
    // round trip's.)
    EXPECT_EQ(test::snapshot(files(), std::string(kGame) + "\\GameData"),
              test::snapshot(files(), backup + "\\GameData"));
    EXPECT_EQ(test::snapshot(files(), backup), backupBefore);

    // On Finish, Esc means nothing (Cancel is disabled); Finish ends.
    EXPECT_FALSE(gui->key(wizard(), {ui::Key::escape}));
    EXPECT_TRUE(wizard().visible());
    EXPECT_THROW(gui->click(wizard().cmdFinish), ui::ProgramEnded);
    EXPECT_TRUE(gui->ended());
}

// Next, RestoreSims (which moves the wizard once), Next, then the yields:
// a Finish click waiting from the last copy is served only by the yields
// after the last Next, which end the program from inside the first Next.
TEST_P(RestoreWizard, TheRunMovesOnBeforeAndAfterTheCopiesThenYields) {
    game.emplace(files());
    game->make();
    open();
    const std::string chosen = makeBackup(root.path("Backup"));
    copies->passTo(nullptr);  // the copies themselves let no events run
    std::vector<Seen> seen;
    watchCopies(seen);
    auto onCopy = copies->onCopy;
    copies->onCopy = [&](const ui::RecordingCopy::Copy& c) {
        onCopy(c);
        if (seen.back().copied == "SkinsBuy") gui->queueClick(wizard().cmdFinish);
    };
    std::optional<int> stepAtEnd;
    gui->onEnd([&] { stepAtEnd = wizard().step(); });

    next();
    choose(chosen);
    bool nextReturned = false;
    EXPECT_THROW(
        {
            gui->click(wizard().cmdNext);
            nextReturned = true;
        },
        ui::ProgramEnded);
    EXPECT_FALSE(nextReturned);
    EXPECT_EQ(stepAtEnd, 5);
    ASSERT_EQ(seen.size(), 5u);
    for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i].step, i < 3 ? 3 : 4) << seen[i].copied;
}

INSTANTIATE_TEST_SUITE_P(Toolkits, RestoreWizard, ::testing::ValuesIn(test::uiBackendNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace orr
