// A game whose writes Windows redirected to its VirtualStore folder: a
// backup takes what the game sees (the VirtualStore's files over the game
// folder's), a restore writes where the game will read.
#include "gamedata/gamedata_fixture.h"

namespace orr::test {
namespace {

using Tree = std::map<std::string, std::string>;

class VirtualStoreTest : public GameDataTest {
protected:
    // A game of the test's own, outside Program Files: the sets do not care
    // where the VirtualStore folder comes from.
    const std::string gameDir = root.path("Games\\The Sims");
    const std::string store = root.path("AppData\\VirtualStore\\Games\\The Sims");

    ClsSims simsWithStore() {
        return ClsSims(services, copier, GameFolder{gameDir, gameDir, store}, backup,
                       [this] { journal.push_back("next"); });
    }
    std::string inGame(const std::string& relative) const { return gameDir + "\\" + relative; }
    std::string inStore(const std::string& relative) const { return store + "\\" + relative; }
    static std::string copyLine(const std::string& source, const std::string& destination) {
        return "copy " + source + " -> " + destination;
    }
};

TEST_F(VirtualStoreTest, ARestoreWritesIntoTheVirtualStoreWhereItExistsOrTheGameFolderIsClosed) {
    file(backup + "\\UserData\\Family.iff", "saved family");
    file(backup + "\\Downloads\\Sofa.far", "sofa");
    file(backup + "\\ExpansionShared\\SkinsBuy\\Shirt.bmp", "shirt");
    folder(gameDir);
    const Journal intoStore{copyLine(backup + "\\UserData", store), copyLine(backup + "\\Downloads", store), "next",
                            copyLine(backup + "\\ExpansionShared\\SkinsBuy", store + "\\ExpansionShared")};
    const Journal intoGame{copyLine(backup + "\\UserData", gameDir), copyLine(backup + "\\Downloads", gameDir),
                           "next", copyLine(backup + "\\ExpansionShared\\SkinsBuy", gameDir + "\\ExpansionShared")};

    // No VirtualStore folder and a game folder the user may write: the game
    // folder, which the probe leaves as it was.
    simsWithStore().RestoreSims();
    EXPECT_EQ(copiesAndAdvances(), intoGame);
    EXPECT_FALSE(native.files->exists(store));
    EXPECT_EQ(snapshot(*native.files, gameDir),
              (Tree{{"ExpansionShared", "<dir>"}, {"ExpansionShared\\SkinsBuy", "<dir>"}}));

    // A game folder the user may not write: the VirtualStore, made for it.
    journal.clear();
    files.refuseToMake.insert(gameDir + "\\~orrindale-write-test");
    simsWithStore().RestoreSims();
    EXPECT_EQ(copiesAndAdvances(), intoStore);
    EXPECT_TRUE(native.files->exists(store + "\\ExpansionShared\\SkinsBuy"));

    // A VirtualStore folder that exists: there, even where the game folder may be written.
    journal.clear();
    files.refuseToMake.clear();
    simsWithStore().RestoreSims();
    EXPECT_EQ(copiesAndAdvances(), intoStore);
}

}  // namespace
}  // namespace orr::test
