// Where the game is looked for: the fixed folder, the folders Windows
// records (32-bit view, then 64-bit view), Program Files (x86); the first
// existing folder wins. Its VirtualStore folder, and the message that
// names every place looked at when there is none.
#include "gamedata/GameFolder.h"
#include "support/test_files.h"
#include "support/test_root.h"
#include "drive/DesktopFakes.h"

#include "platform/registry.h"

#include <gtest/gtest.h>

namespace orr {
namespace {

using Texts = std::vector<std::string>;

class GameFolderTest : public ::testing::Test {
protected:
    test::TestRoot root;
    std::unique_ptr<platform::FileSystem> files = platform::makeFileSystem(root.options());

    // Every place inside the test's folder; Program Files and Program
    // Files (x86) are the folders whose writes Windows redirects.
    GamePlaces places() const {
        GamePlaces p;
        p.fixed = root.path("PF\\Maxis\\The Sims");
        p.recorded = {root.path("Record32\\The Sims"), root.path("Record64\\The Sims")};
        p.programFilesX86 = root.path("PF86");
        p.redirected = {root.path("PF"), root.path("PF86")};
        p.localAppData = root.path("Local");
        return p;
    }
    std::string found(const GamePlaces& p) {
        const GameSearch s = findGame(*files, p);
        return s.found ? s.found->folder : "none";
    }
};

TEST_F(GameFolderTest, AGameUnderProgramFilesAloneHasAVirtualStoreAndARecordOfTheFixedFolderMarksIt) {
    GamePlaces p = places();
    const std::string x86Game = root.path("PF86\\Maxis\\The Sims");
    test::makeFolders(*files, x86Game);
    GameSearch s = findGame(*files, p);
    ASSERT_TRUE(s.found);
    // The path without its drive, below %LOCALAPPDATA%\VirtualStore.
    EXPECT_EQ(s.found->virtualStore, root.path("Local\\VirtualStore") + x86Game.substr(2));
    EXPECT_EQ(s.found->folders(), (Texts{x86Game, s.found->virtualStore}));

    // A record with a closing space names the folder Windows resolves it
    // to, whose name has none.
    test::makeFolders(*files, p.recorded[0]);
    p.recorded[0] += " ";
    s = findGame(*files, p);
    p.recorded[0].pop_back();
    ASSERT_TRUE(s.found);
    EXPECT_EQ(s.found->folder, p.recorded[0]);
    EXPECT_EQ(s.found->virtualStore, "");
    EXPECT_EQ(s.found->folders(), Texts{p.recorded[0]});

    // Without a local application data folder there is nowhere to redirect to.
    p.recorded.clear();
    p.localAppData.clear();
    s = findGame(*files, p);
    ASSERT_TRUE(s.found);
    EXPECT_EQ(s.found->folder, x86Game);
    EXPECT_EQ(s.found->virtualStore, "");

    // A record of the fixed folder in other case adds no place but marks it.
    // The messages themselves are the game-not-found scenario's.
    p = GamePlaces{};
    p.programFilesX86 = "C:\\Program Files (x86)";
    p.fixed = root.path("PF\\Maxis\\The Sims");
    p.recorded = {root.path("Games\\The Sims"), root.path("pf\\MAXIS\\the sims")};
    s = findGame(*files, p);
    EXPECT_FALSE(s.found);
    EXPECT_EQ(s.lookedAt, (Texts{p.fixed, p.recorded[0], "C:\\Program Files (x86)\\Maxis\\The Sims"}));
    EXPECT_EQ(s.notFoundMessage(), "The Sims was not found in " + p.fixed +
                                       " (where Windows records it as installed), " + p.recorded[0] +
                                       " (where Windows records it as installed) or C:\\Program Files "
                                       "(x86)\\Maxis\\The Sims, nor was The Sims Legacy Collection found (Steam, "
                                       "the EA app or your Saved Games folder). Install or start the game once, then "
                                       "run Orrindale again.");
}

// A CD install and the Legacy Collection's user data: both are installs,
// the one whose user data was written last first.
TEST_F(GameFolderTest, EveryInstallIsFoundAndTheOnePlayedLastComesFirst) {
    GamePlaces p = places();
    p.legacyUserData = root.path("Saved Games\\Electronic Arts\\The Sims 25");
    const std::string classic = p.fixed + "\\UserData\\Neighborhood.iff";
    const std::string legacy = p.legacyUserData + "\\UserData2\\Neighborhood.iff";
    test::writeFile(*files, classic, "classic");
    test::writeFile(*files, legacy, "legacy");
    const auto played = [&](const std::string& file, int year) {
        ASSERT_EQ(files->setModified(file, platform::DateTime{year, 6, 1, 12, 0, 0}), platform::Status::ok);
    };
    played(classic, 2020);
    played(legacy, 2025);
    GameSearch s = findGame(*files, p);
    ASSERT_EQ(s.installs.size(), 2u);
    EXPECT_EQ(s.found->edition, kUserDataOnlyEdition);
    EXPECT_EQ(s.found->folder, "");
    EXPECT_EQ(s.found->userDataSource(), p.legacyUserData);
    EXPECT_EQ(s.installs[1].folder, p.fixed);
    EXPECT_EQ(s.allFolders(), (Texts{p.legacyUserData, p.fixed, root.path("Local\\VirtualStore") + p.fixed.substr(2)}));

    played(classic, 2026);
    s = findGame(*files, p);
    EXPECT_EQ(s.found->folder, p.fixed);
    EXPECT_EQ(s.found->edition, kClassicEdition);

    // A Saved Games folder without neighbourhoods is no install.
    ASSERT_EQ(files->removeFile(legacy), platform::Status::ok);
    ASSERT_EQ(files->removeDirectory(p.legacyUserData + "\\UserData2"), platform::Status::ok);
    EXPECT_EQ(findGame(*files, p).installs.size(), 1u);
}

// HKEY_LOCAL_MACHINE\SOFTWARE\Maxis\The Sims in both views, removed again.
// A record the test did not make is never touched: the test is skipped.
class GameRecord {
public:
    explicit GameRecord(platform::Registry& r) : r_(r) {}
    ~GameRecord() {
        if (!made_) return;
        for (const char* key : {"SOFTWARE\\Maxis\\The Sims", "SOFTWARE\\Maxis", "SOFTWARE\\WOW6432Node\\Maxis\\The Sims",
                                "SOFTWARE\\WOW6432Node\\Maxis"})
            (void)r_.deleteKey(hklm(), key);
    }
    bool existsAlready() {
        platform::RegKey k;
        return r_.open(hklm(), "SOFTWARE\\Maxis", platform::reg::read, k) == platform::reg::ok ||
               r_.open(hklm(), "SOFTWARE\\WOW6432Node\\Maxis", platform::reg::read, k) == platform::reg::ok;
    }
    // Writes InstallPath into one view's key, spelt out as a 64-bit program sees it.
    void put(const std::string& key, const std::string& value) {
        made_ = true;
        platform::RegKey k;
        ASSERT_EQ(r_.createKey(hklm(), key, platform::reg::allAccess, k), platform::reg::ok);
        ASSERT_EQ(r_.setValue(k, kGameValue, platform::reg::text,
                              reinterpret_cast<const unsigned char*>(value.c_str()),
                              static_cast<std::uint32_t>(value.size() + 1)),
                  platform::reg::ok);
    }

private:
    static platform::RegKey hklm() { return platform::RegKey::predefined(platform::reg::localMachine); }
    platform::Registry& r_;
    bool made_ = false;
};

// Which view wins and closing separators are the game-recorded scenario's.
TEST_F(GameFolderTest, ARecordInBothViewsIsOnePlaceAndARelativeOneIsNone) {
    auto registry = platform::makeRegistry(root.options());
    GameRecord record(*registry);
    if (record.existsAlready()) GTEST_SKIP() << "this system records a game of its own";
    drive::FixedFolders folders(root.path("Temp\\"));

    record.put("SOFTWARE\\Maxis\\The Sims", "d:\\games32\\THE SIMS");
    record.put("SOFTWARE\\WOW6432Node\\Maxis\\The Sims", "D:\\Games32\\The Sims\\");
    GamePlaces p = gamePlaces(*registry, folders);
    EXPECT_EQ(p.recorded, Texts{"D:\\Games32\\The Sims"});
    EXPECT_EQ(p.redirected, (Texts{"C:\\Program Files", "C:\\Program Files (x86)"}));
    record.put("SOFTWARE\\WOW6432Node\\Maxis\\The Sims", "Games\\The Sims");
    EXPECT_EQ(gamePlaces(*registry, folders).recorded, Texts{"d:\\games32\\THE SIMS"});
}

}  // namespace
}  // namespace orr
