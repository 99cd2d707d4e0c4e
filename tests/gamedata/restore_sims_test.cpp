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

};

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

}  // namespace
}  // namespace orr::test
