// The backup run driven by a front end of its own, no form: its result
// says whether it completed, failed or was refused, and only a complete
// run marks the folder as a backup.
#include "backup/BackupRun.h"
#include "gamedata/Descriptor.h"
#include "gamedata/gamedata_fixture.h"
#include "copy/faults.h"

namespace orr::test {
namespace {

class CountingFront final : public RunFront {
public:
    void stepOn() override { ++steps; }
    void completing(const RunResult& result) override { completedCopies = result.sets.copies.size(); }
    int steps = 0;
    std::size_t completedCopies = 0;
};

class BackupRunTest : public GameDataTest {
protected:
    // One run over the game through this layer's real copy, with `arm`'s faults.
    RunResult run(const std::function<void(platform::FaultPlan&)>& arm, CountingFront& front, std::string to = {}) {
        platform::FaultPlan faults;
        arm(faults);
        auto real = platform::makeFolderCopier(*native.files, events, nullptr, &faults);
        copier.passTo(real.get());
        RunResult result = runBackup(services, copier, GameFolder::fixed(), to.empty() ? backup : to, front);
        copier.passTo(nullptr);
        return result;
    }
    std::vector<std::string> names() {
        std::vector<std::string> out;
        for (const auto& e : native.files->list(backup + "\\*.*")) out.push_back(e.name);
        return out;
    }
    bool marked() { return native.files->exists(descriptor::fileName(backup, services.clock.now())); }
};

TEST_F(BackupRunTest, TheResultSaysCompletedFailedOrRefusedAndOnlyACompleteRunIsMarked) {
    gameFolder.make();
    file(game("UserData\\Neighborhood.iff"), "neighbourhood");
    file(game("Downloads\\Sofa.far"), "sofa");
    folder(backup);

    CountingFront refusedFront;
    const RunResult refused = run([](auto& f) { f.limitFreeSpace(1000); }, refusedFront);
    EXPECT_EQ(refused.kind, RunResult::Kind::refused);
    ASSERT_TRUE(refused.sets.room);
    EXPECT_EQ(refused.sets.room->free, 1000u);
    EXPECT_TRUE(names().empty());  // nothing written before the refusal
    EXPECT_EQ(refusedFront.steps, 0);
    // The run itself refuses a folder inside the game, whatever checked it before.
    const auto gameBefore = snapshot(*native.files, kFixedGameFolder);
    EXPECT_EQ(run([](auto&) {}, refusedFront, game("Downloads")).sets.intoGame, kFixedGameFolder);
    EXPECT_EQ(snapshot(*native.files, kFixedGameFolder), gameBefore);

    CountingFront failedFront;
    const RunResult failed = run([](auto& f) { f.failNth(platform::FileOp::write, 2, platform::Status::diskFull); },
                                 failedFront);
    EXPECT_EQ(failed.kind, RunResult::Kind::failed);
    ASSERT_EQ(failed.sets.copies.size(), 2u);
    ASSERT_EQ(failed.sets.copies[1].outcome.failures.size(), 1u);
    EXPECT_EQ(failed.sets.copies[1].outcome.failures[0].path, game("Downloads\\Sofa.far"));
    EXPECT_FALSE(marked());
    EXPECT_EQ(failedFront.completedCopies, 0u);

    CountingFront front;
    const RunResult done = run([](auto&) {}, front);
    EXPECT_EQ(done.kind, RunResult::Kind::completed);
    EXPECT_TRUE(marked());
    EXPECT_EQ(front.steps, 2);
    EXPECT_EQ(front.completedCopies, 2u);
    EXPECT_EQ(snapshot(*native.files, backup + "\\Downloads"), (std::map<std::string, std::string>{{"Sofa.far", "sofa"}}));
}

}  // namespace
}  // namespace orr::test
