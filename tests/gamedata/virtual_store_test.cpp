// A game whose writes Windows redirected to its VirtualStore folder: a
// backup takes what the game sees (the VirtualStore's files over the game
// folder's), a restore writes where the game will read.
#include "gamedata/gamedata_fixture.h"

namespace orr::test {
namespace {

class VirtualStoreTest : public GameDataTest {
protected:
    // A game of the test's own, outside Program Files: the sets do not care
    // where the VirtualStore folder comes from.
    const std::string gameDir = root.path("Games\\The Sims");
    const std::string store = root.path("AppData\\VirtualStore\\Games\\The Sims");

    ClsSims simsWithStore() {
        return ClsSims(services, copier, GameFolder{kClassicEdition, gameDir, gameDir, store, {}}, backup,
                       [this] { journal.push_back("next"); });
    }
    static std::string copyLine(const std::string& source, const std::string& destination) {
        return "copy " + source + " -> " + destination;
    }
    // The journal without the folders made: copies and advances only.
    Journal copiesAndAdvances() const {
        Journal out;
        for (const auto& line : journal)
            if (!line.starts_with("mkdir ")) out.push_back(line);
        return out;
    }
};

TEST_F(VirtualStoreTest, WithoutAVirtualStoreFolderARestoreMakesOneOnlyWhereTheGameFolderIsClosed) {
    file(backup + "\\UserData\\Family.iff", "saved family");
    file(backup + "\\Downloads\\Sofa.far", "sofa");
    file(backup + "\\ExpansionShared\\SkinsBuy\\Shirt.bmp", "shirt");
    folder(gameDir);
    const Journal intoStore{copyLine(backup + "\\UserData", store), copyLine(backup + "\\Downloads", store), "next",
                            copyLine(backup + "\\ExpansionShared\\SkinsBuy", store + "\\ExpansionShared")};
    const Journal intoGame{copyLine(backup + "\\UserData", gameDir), copyLine(backup + "\\Downloads", gameDir),
                           "next", copyLine(backup + "\\ExpansionShared\\SkinsBuy", gameDir + "\\ExpansionShared")};

    // No VirtualStore folder and a game folder the user may write: the game
    // folder (which the probe leaves as it was: the restore scenarios' trees).
    simsWithStore().RestoreSims();
    EXPECT_EQ(copiesAndAdvances(), intoGame);
    EXPECT_FALSE(native.files->exists(store));

    // A game folder the user may not write: the VirtualStore, made for it.
    journal.clear();
    files.refuseToMake.insert(gameDir + "\\~orrindale-write-test");
    simsWithStore().RestoreSims();
    EXPECT_EQ(copiesAndAdvances(), intoStore);
    EXPECT_TRUE(native.files->exists(store + "\\ExpansionShared\\SkinsBuy"));
    // One that exists is taken even where the game folder may be written:
    // the virtual-store scenario's.
}

}  // namespace
}  // namespace orr::test
