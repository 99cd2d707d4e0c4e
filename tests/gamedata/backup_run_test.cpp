// The backup run driven by a front end of its own, no form: its result
// says whether it was refused.
#include "backup/BackupRun.h"
#include "gamedata/gamedata_fixture.h"
#include "copy/faults.h"

namespace orr::test {
namespace {

class CountingFront final : public RunFront {
public:
    void stepOn() override { ++steps; }
    void completing(const RunResult&) override {}
    int steps = 0;
};

using BackupRunTest = GameDataTest;

// A failed run and a complete, marked one are the copy-failures scenario's;
// a refusal reads there as a failure would, so its kind is checked here.
TEST_F(BackupRunTest, ARunRefusedForRoomSaysSoHavingWrittenNothing) {
    gameFolder.make();
    file(game("UserData\\Neighborhood.iff"), "neighbourhood");
    file(game("Downloads\\Sofa.far"), "sofa");
    folder(backup);
    platform::FaultPlan faults;
    faults.limitFreeSpace(1000);
    auto real = platform::makeFolderCopier(*native.files, events, nullptr, &faults);
    copier.passTo(real.get());
    CountingFront front;
    const RunResult refused = runBackup(services, copier, GameFolder::fixed(), backup, front);
    copier.passTo(nullptr);
    EXPECT_EQ(refused.kind, RunResult::Kind::refused);
    ASSERT_TRUE(refused.sets.room);
    EXPECT_EQ(refused.sets.room->free, 1000u);
    EXPECT_TRUE(native.files->list(backup + "\\*.*").empty());
    EXPECT_EQ(front.steps, 0);
}

}  // namespace
}  // namespace orr::test
