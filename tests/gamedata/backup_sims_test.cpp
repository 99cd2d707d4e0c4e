// BackupSims and its subfolder scan: which game folders are copied, in
// which order, where the wizard is moved on, and what the backup holds.
#include "gamedata/gamedata_fixture.h"

#include <algorithm>

namespace orr::test {
namespace {

namespace attr = platform::attr;
using platform::Pointer;
using Tree = std::map<std::string, std::string>;

class BackupSimsTest : public GameDataTest {
protected:
    std::string copyLine(const std::string& source) const { return "copy " + source + " -> " + backup; }

    // A game with every set, a folder whose name only looks like user data,
    // and loose files beside them.
    void makeFullGame() {
        gameFolder.make();
        file(game("UserData\\Neighborhood.iff"), "neighbourhood");
        file(game("UserData\\Characters\\User00001.iff"), "character");
        file(game("UserData2\\Houses\\House01.iff"), "house");
        file(game("userdata7\\Export.iff"), "export");
        file(game("User Data\\Stray.iff"), "not user data");
        file(game("UserData.txt"), "loose, named like user data");
        file(game("Sims.exe"), "loose");
        file(game("Downloads\\Sofa.far"), "sofa");
        file(game("GameData\\Skins\\B001.bmp"), "skin");
        file(game("ExpansionShared\\SkinsBuy\\Shirt.bmp"), "shirt");
        file(game("ExpansionShared\\Other\\Lot.iff"), "lot");
        folder(backup);
    }
};

TEST_F(BackupSimsTest, VisibleUserDataSubfoldersThenTheSetsAreCopiedInOrderWithTheWizardMovedTwice) {
    makeFullGame();
    folder(game("UserDataHidden"));
    setBits(game("UserDataHidden"), attr::hidden);
    folder(game("UserDataSystem"));
    setBits(game("UserDataSystem"), attr::system);

    sims(backup).BackupSims();

    Journal expected;
    for (const auto& name : inListOrder(kGame, {"UserData", "UserData2", "userdata7"}))
        expected.push_back(copyLine(game(name)));
    ASSERT_EQ(expected.size(), 3u);
    expected.insert(expected.end(),
                    {copyLine(game("Downloads")), "mkdir " + backup + "\\GameData", copyLine(game("GameData")), "next",
                     "mkdir " + backup + "\\ExpansionShared", copyLine(game("ExpansionShared")), "next"});
    EXPECT_EQ(journal, expected);
    // The hourglass shows while the game folder is listed.
    EXPECT_EQ(files.pointerWhileListing.front(), Pointer::hourglass);
    EXPECT_EQ(pointer.current(), Pointer::normal);
}

TEST_F(BackupSimsTest, AGameWithoutGameDataOrExpansionSharedStillGivesBothFoldersEmpty) {
    gameFolder.make();
    file(game("UserData\\Neighborhood.iff"), "neighbourhood");
    folder(backup);
    useRealCopy();

    sims(backup).BackupSims();

    EXPECT_EQ(snapshot(*native.files, backup), (Tree{{"UserData", "<dir>"},
                                                     {"UserData\\Neighborhood.iff", "neighbourhood"},
                                                     {"GameData", "<dir>"},
                                                     {"ExpansionShared", "<dir>"}}));
    EXPECT_EQ(copiesAndAdvances(), (Journal{copyLine(game("UserData")), "next", "next"}));
}

TEST_F(BackupSimsTest, WithNoGameFolderOnlyTheTwoEmptyFoldersAreMadeAndTheWizardMovesTwice) {
    folder(backup);
    useRealCopy();

    sims(backup).BackupSims();

    EXPECT_EQ(journal, (Journal{"mkdir " + backup + "\\GameData", "next",
                                "mkdir " + backup + "\\ExpansionShared", "next"}));
    EXPECT_EQ(snapshot(*native.files, backup), (Tree{{"GameData", "<dir>"}, {"ExpansionShared", "<dir>"}}));
    // The scan of the missing folder lists nothing and leaves the default pointer.
    EXPECT_EQ(files.pointerWhileListing, std::vector<Pointer>{Pointer::hourglass});
    EXPECT_EQ(pointer.sets, (std::vector<Pointer>{Pointer::hourglass, Pointer::normal}));
}

TEST_F(BackupSimsTest, ALinkToNothingInTheGameFolderIsLeftOutOfTheScan) {
    makeFullGame();
    if (!makeLinkToNothing(root.options(), game("UserData9")))
        GTEST_SKIP() << "this layer makes no symbolic links";
    ASSERT_TRUE(makeLinkToNothing(root.options(), game("Loose.iff")));

    // The listing leaves out what it cannot read, so nothing is asked of it later.
    for (const auto& entry : native.files->list(game("*.*"))) {
        EXPECT_NE(entry.name, "UserData9");
        EXPECT_NE(entry.name, "Loose.iff");
    }
    sims(backup).BackupSims();

    Journal expected;
    for (const auto& name : inListOrder(kGame, {"UserData", "UserData2", "userdata7"}))
        expected.push_back(copyLine(game(name)));
    ASSERT_EQ(expected.size(), 3u);
    expected.insert(expected.end(), {copyLine(game("Downloads")), copyLine(game("GameData")), "next",
                                     copyLine(game("ExpansionShared")), "next"});
    EXPECT_EQ(copiesAndAdvances(), expected);
    EXPECT_EQ(pointer.current(), Pointer::normal);
}

// A second scan on the same instance takes the oldest pending folder, not
// the path it is given; a run on a fresh instance never sees this.
TEST_F(BackupSimsTest, ASecondRunOnTheSameInstanceScansTheFirstQueuedFolder) {
    gameFolder.make();
    file(game("UserData\\Characters\\User00001.iff"), "character");
    file(game("UserData\\Houses\\House01.iff"), "house");
    file(game("UserData2\\Lots\\Lot01.iff"), "lot");
    folder(backup);
    const auto queued = inListOrder(kGame, {"UserData", "UserData2"});
    ASSERT_EQ(queued.size(), 2u);

    ClsSims once = sims(backup);
    once.BackupSims();
    journal.clear();
    once.BackupSims();

    // Still pending: the second user-data folder. The first one's own
    // subfolders, queued behind it, are no user-data folders by their names.
    const Journal expected{copyLine(game(queued[1])), "next", "next"};
    EXPECT_EQ(copiesAndAdvances(), expected);
}

}  // namespace
}  // namespace orr::test
