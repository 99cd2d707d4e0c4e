// What Step 1 of the restore lists of a backup: the counts come from the
// names the game writes, the date from the newest write anywhere below.
#include "gamedata/BackupContents.h"
#include "gamedata/gamedata_fixture.h"

namespace orr::test {
namespace {

// Day.month.year, and the time only when there is one: shows that the
// caption asks for the short date alone, in the user's own order.
class DottedLocale : public platform::Locale {
public:
    std::string generalDate(const platform::DateTime& t) override {
        std::string day = std::to_string(t.day) + "." + std::to_string(t.month) + "." + std::to_string(t.year);
        return t.hour || t.minute || t.second ? day + " " + std::to_string(t.hour) + ":" + std::to_string(t.minute)
                                              : day;
    }
    std::string decimalSeparator() override { return ","; }
};

using BackupContentsTest = GameDataTest;

TEST_F(BackupContentsTest, CountsTheGamesOwnFileNamesAndDatesTheNewestWriteBelowEachSet) {
    const std::string hood = backup + "\\UserData2";
    const auto put = [&](const std::string& path, const platform::DateTime& written) {
        file(path, "x");
        ASSERT_EQ(native.files->setModified(path, written), platform::Status::ok) << path;
    };
    const platform::DateTime older{2026, 11, 28, 10, 0, 0};
    // Counted: House + two digits, User + five digits, any letter case.
    for (const char* name : {"House01.iff", "House12.iff", "house03.IFF"}) put(hood + "\\Houses\\" + name, older);
    for (const char* name : {"User00001.iff", "USER00002.iff"}) put(hood + "\\Characters\\" + name, older);
    // Not counted: names the game does not write, and none below a subfolder.
    for (const char* name : {"House1.iff", "House001.iff", "House0A.iff", "House01.iff.bak", "Thumbs.db"})
        put(hood + "\\Houses\\" + name, older);
    for (const char* name : {"User1.iff", "User000001.iff", "User00001.far"}) put(hood + "\\Characters\\" + name, older);
    put(hood + "\\Neighborhood.iff", older);
    // The newest write is deep down and not a counted file.
    put(hood + "\\Houses\\Old\\House02.iff", {2026, 11, 30, 18, 45, 0});
    folder(backup + "\\UserData3");  // empty: no date to give
    file(backup + "\\Downloads\\Sofa.far", "s");
    file(backup + "\\Downloads\\Sets\\Lamp.far", "l");
    file(backup + "\\Downloads\\Sets\\Rug.far", "r");
    folder(backup + "\\GameData");
    file(backup + "\\ExpansionShared\\SkinsBuy\\Shirt.bmp", "s");
    file(backup + "\\ExpansionShared\\Music\\Song.mp3", "not restored, not listed");

    DottedLocale locale;
    std::vector<std::string> captions, sets;
    for (const BackupEntry& e : backupContents(*native.files, backup)) {
        captions.push_back(entryCaption(e, locale));
        sets.push_back(e.set);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"UserData2: 3 houses, 2 characters, saved 30.11.2026",
                                                  "UserData3: 0 houses, 0 characters", "Downloads: 3 files",
                                                  "GameData", "SkinsBuy"}));
    // Two columns leave the date out and say Sims.
    EXPECT_EQ(entryCaption(backupContents(*native.files, backup).front(), locale, true),
              "UserData2: 3 houses, 2 Sims");
    EXPECT_EQ(sets, (std::vector<std::string>{"UserData2", "UserData3", "Downloads", "GameData",
                                              "ExpansionShared\\SkinsBuy"}));
}

}  // namespace
}  // namespace orr::test
