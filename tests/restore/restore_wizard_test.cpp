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
    void choose(const std::string& path) { ASSERT_TRUE(gui->type(wizard().txtDescriptor, path)); }
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
