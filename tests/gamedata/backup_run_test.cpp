// The backup run driven by a front end of its own, no form: its result
// says whether it was refused.
#include "backup/BackupRun.h"
#include "gamedata/gamedata_fixture.h"
#include "copy/faults.h"

namespace orr::test {
namespace {

class SilentFront final : public RunFront {
public:
    void stepOn() override {}
    void completing(const RunResult&) override {}
};

using BackupRunTest = GameDataTest;

// A failed run, a complete and marked one, and a refusal's room and that it
// writes nothing are the copy-failures scenario's; a refusal reads there as
// a failure would, so its kind is checked here.
TEST_F(BackupRunTest, ARunRefusedForRoomSaysSo) {
    gameFolder.make();
    file(game("UserData\\Neighborhood.iff"), "neighbourhood");
    file(game("Downloads\\Sofa.far"), "sofa");
    folder(backup);
    platform::FaultPlan faults;
    faults.limitFreeSpace(1000);
    const auto real = platform::makeFolderCopier(*native.files, events, nullptr, &faults);
    SilentFront front;
    EXPECT_EQ(runBackup(services, *real, GameFolder::fixed(), backup, front).kind, RunResult::Kind::refused);
}

}  // namespace
}  // namespace orr::test
