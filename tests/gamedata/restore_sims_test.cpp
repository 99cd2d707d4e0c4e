// RestoreSims: which backup folders go back into the game, in which order,
// and where the wizard is moved on. What lands in the game and that the
// backup is only read are the restore scenarios'.
#include "gamedata/gamedata_fixture.h"

namespace orr::test {
namespace {

using RestoreSimsTest = GameDataTest;

TEST_F(RestoreSimsTest, ABackupWithoutDownloadsGameDataOrSkinsBuyStillMovesTheWizardAndGivesTheGameSkinsBuy) {
    file(backup + "\\UserData\\Neighborhood.iff", "neighbourhood");
    folder(backup + "\\ExpansionShared\\Other");
    gameFolder.make();

    sims(backup).RestoreSims();

    // The wizard moves on right after user data.
    EXPECT_EQ(journal, (Journal{"copy " + backup + "\\UserData -> c:\\program files\\Maxis\\The Sims", "next",
                                "mkdir " + game("ExpansionShared"), "mkdir " + game("ExpansionShared\\SkinsBuy")}));
}

}  // namespace
}  // namespace orr::test
