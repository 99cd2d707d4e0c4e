// RestoreSims shows one count over all its copies. Which backup folders go
// back into the game, in which order, where the wizard is moved on, what
// lands in the game and that the backup is only read are the restore
// scenarios' and the VirtualStore test's.
#include "gamedata/gamedata_fixture.h"

namespace orr::test {
namespace {

using RestoreSimsTest = GameDataTest;

// What a progress display is told: each copy's totals, the files done as
// reported (repeats dropped), and how often it was ended.
class RunProgress : public platform::CopyProgress {
public:
    void begin(const std::string&, const std::string&, std::uint64_t files, std::uint64_t bytes) override {
        totals.push_back(files);
        totalBytes = bytes;
    }
    bool advance(const std::string&, std::uint64_t files, std::uint64_t bytes) override {
        if (done.empty() || done.back() != files) done.push_back(files);
        doneBytes = std::max(doneBytes, bytes);
        return true;
    }
    void end() override { ++ends; }

    std::vector<std::uint64_t> totals, done;
    std::uint64_t totalBytes = 0, doneBytes = 0;
    int ends = 0;
};

TEST_F(RestoreSimsTest, ARunShowsOneCountOverAllItsCopiesInOneDisplay) {
    file(backup + "\\UserData\\Neighborhood.iff", "neighbourhood");
    file(backup + "\\UserData\\Houses\\House01.iff", "house");
    file(backup + "\\Downloads\\Sofa.far", "sofa");
    file(backup + "\\GameData\\Skins\\B001.bmp", "skin");
    gameFolder.make();
    RunProgress progress;
    const auto copier = platform::makeFolderCopier(*native.files, events, &progress);

    const SetsOutcome outcome = ClsSims(services, *copier, GameFolder::fixed(), backup, [] {}).RestoreSims();

    ASSERT_TRUE(outcome.completed());
    // Three copies, each told the run's four files; the count goes on from
    // one copy to the next and the display ends once, with the last.
    EXPECT_EQ(progress.totals, (std::vector<std::uint64_t>{4, 4, 4}));
    ASSERT_FALSE(progress.done.empty());
    EXPECT_TRUE(std::is_sorted(progress.done.begin(), progress.done.end()));
    EXPECT_EQ(progress.done.back(), 4u);
    // The bar's bytes are the files' own sizes, so that it ends full.
    EXPECT_EQ(progress.totalBytes, std::string("neighbourhood" "house" "sofa" "skin").size());
    EXPECT_EQ(progress.doneBytes, progress.totalBytes);
    EXPECT_EQ(progress.ends, 1);
}

}  // namespace
}  // namespace orr::test
