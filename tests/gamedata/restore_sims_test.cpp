// RestoreSims: which backup folders go back into the game, in which order,
// where the wizard is moved on, and that the backup itself is only read.
#include "gamedata/gamedata_fixture.h"

#include <algorithm>

namespace orr::test {
namespace {

using Tree = std::map<std::string, std::string>;

constexpr const char* kGameLower = "c:\\program files\\Maxis\\The Sims";

class RestoreSimsTest : public GameDataTest {
protected:
    std::string saved(const std::string& relative) const { return backup + "\\" + relative; }
    static std::string copyLine(const std::string& source, const std::string& destination) {
        return "copy " + source + " -> " + destination;
    }

    // What a backup of every set leaves, with its descriptor.
    void makeFullBackup() {
        file(saved("UserData\\Neighborhood.iff"), "neighbourhood");
        file(saved("UserData\\Characters\\User00001.iff"), "character");
        file(saved("UserData2\\Houses\\House01.iff"), "house");
        file(saved("Downloads\\Sofa.far"), "sofa");
        file(saved("GameData\\Skins\\B001.bmp"), "skin");
        file(saved("ExpansionShared\\SkinsBuy\\Shirt.bmp"), "shirt");
        file(saved("ExpansionShared\\Other\\Lot.iff"), "lot");
        file(saved("Sims_2026.12.05.BAK"), "[Backup]\r\nVersion=Sims\r\nBackup_Location=" + backup + "\r\n");
    }

    Journal userDataCopies(const std::string& from) {
        Journal lines;
        for (const auto& name : inListOrder(from, {"UserData", "UserData2"}))
            lines.push_back(copyLine(from + "\\" + name, kGameLower));
        return lines;
    }
};

TEST_F(RestoreSimsTest, SetsGoBackInOrderWithTheWizardMovedOnceAfterDownloads) {
    makeFullBackup();
    gameFolder.make();

    sims(backup).RestoreSims();

    Journal expected = userDataCopies(backup);
    ASSERT_EQ(expected.size(), 2u);
    expected.insert(expected.end(),
                    {copyLine(saved("Downloads"), kGame), "next", copyLine(saved("GameData"), kGame),
                     "mkdir " + game("ExpansionShared"), "mkdir " + game("ExpansionShared\\SkinsBuy"),
                     copyLine(saved("ExpansionShared\\SkinsBuy"), game("ExpansionShared"))});
    EXPECT_EQ(journal, expected);
}

TEST_F(RestoreSimsTest, ABackupWithoutGameDataOrSkinsBuyIsOnlyReadAndTheGameStillGetsSkinsBuy) {
    file(saved("UserData\\Neighborhood.iff"), "neighbourhood");
    folder(saved("ExpansionShared\\Other"));
    gameFolder.make();
    useRealCopy();
    const Tree backupBefore = snapshot(*native.files, backup);

    sims(backup).RestoreSims();

    // No Downloads either: the wizard still moves on, right after user data.
    EXPECT_EQ(journal, (Journal{copyLine(saved("UserData"), kGameLower), "next",
                                "mkdir " + game("ExpansionShared"),
                                "mkdir " + game("ExpansionShared\\SkinsBuy")}));
    EXPECT_EQ(snapshot(*native.files, backup), backupBefore);
    EXPECT_EQ(snapshot(*native.files, kGame), (Tree{{"UserData", "<dir>"},
                                                   {"UserData\\Neighborhood.iff", "neighbourhood"},
                                                   {"ExpansionShared", "<dir>"},
                                                   {"ExpansionShared\\SkinsBuy", "<dir>"}}));
}

// The user-data test looks at the whole path: a backup folder whose path
// holds "userdata" sends every one of its subfolders the user-data way.
// Only a folder's own name makes it user data: a backup kept under a
// folder named "UserData" sends back the sets and nothing else of it.
TEST_F(RestoreSimsTest, AUserDataFolderAboveTheBackupMakesNoOtherFolderUserData) {
    backup = root.path("UserData\\Sims");
    file(saved("UserData3\\User00001.iff"), "family");
    file(saved("Photos\\Beach.jpg"), "photo");
    file(saved("Downloads\\Sofa.far"), "sofa");
    file(saved("ExpansionShared\\Music\\Song.mp3"), "song");
    gameFolder.make();

    sims(backup).RestoreSims();

    const Journal expected{copyLine(saved("UserData3"), kGameLower), copyLine(saved("Downloads"), kGame), "next",
                           "mkdir " + game("ExpansionShared"), "mkdir " + game("ExpansionShared\\SkinsBuy")};
    EXPECT_EQ(journal, expected);
}

}  // namespace
}  // namespace orr::test
