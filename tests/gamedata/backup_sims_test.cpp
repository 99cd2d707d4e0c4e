// BackupSims and its subfolder scan: which game folders are copied, in
// which order, where the wizard is moved on, and what the backup holds.
#include "gamedata/gamedata_fixture.h"

namespace orr::test {
namespace {

namespace attr = platform::attr;
using platform::Pointer;

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

// Hidden and system user-data folders are the player's too. A link to
// nothing (where this layer makes links) is left out of the listing, so
// that nothing is asked of it later.
TEST_F(BackupSimsTest, EveryUserDataSubfolderHiddenOrNotThenTheSetsAreCopiedInOrderWithTheWizardMovedTwice) {
    makeFullGame();
    folder(game("UserDataHidden"));
    setBits(game("UserDataHidden"), attr::hidden);
    folder(game("UserDataSystem"));
    setBits(game("UserDataSystem"), attr::system);
    if (makeLinkToNothing(root.options(), game("UserData9"))) {
        ASSERT_TRUE(makeLinkToNothing(root.options(), game("Loose.iff")));
        for (const auto& entry : native.files->list(game("*.*"))) {
            EXPECT_NE(entry.name, "UserData9");
            EXPECT_NE(entry.name, "Loose.iff");
        }
    }

    sims(backup).BackupSims();

    // The user-data folders first, in the platform's listing order.
    const std::set<std::string> userData{"UserData", "UserData2", "userdata7", "UserDataHidden", "UserDataSystem"};
    Journal expected;
    for (const auto& e : native.files->list(game("*.*")))
        if (userData.count(e.name)) expected.push_back(copyLine(game(e.name)));
    ASSERT_EQ(expected.size(), 5u);
    expected.insert(expected.end(),
                    {copyLine(game("Downloads")), "mkdir " + backup + "\\GameData", copyLine(game("GameData")), "next",
                     "mkdir " + backup + "\\ExpansionShared", copyLine(game("ExpansionShared")), "next"});
    EXPECT_EQ(journal, expected);
    // The hourglass shows while the game folder is listed.
    EXPECT_EQ(files.pointerWhileListing.front(), Pointer::hourglass);
    EXPECT_EQ(pointer.current(), Pointer::normal);
}

}  // namespace
}  // namespace orr::test
