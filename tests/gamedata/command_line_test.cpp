// The command line's backup where the scripts of tests/cli cannot reach:
// the game running (the process list is scripted here), a log that cannot
// be written (made read-only: refused under root too), and a stop request.
#include "cli/Commands.h"
#include "cli/RunLog.h"
#include "gamedata/Descriptor.h"
#include "gamedata/gamedata_fixture.h"
#include "support/other_run.h"

#include <sstream>

namespace orr::test {
namespace {

class CommandLineTest : public GameDataTest {
protected:
    int backupInto(const std::string& folder) {
        out.str({});
        err.str({});
        auto real = platform::makeFolderCopier(*native.files, events, nullptr);
        auto registry = platform::makeRegistry(root.options());
        auto userFolders = platform::makeUserFolders(*native.files);
        // The folder checks resolve paths as this OS does: its own file system.
        platform::Services own{*native.files, *native.profiles, messages,      pointer,
                               events,        *native.clock,    *native.locale, *native.fileTable};
        cli::Machine machine{own, *real, *registry, *userFolders, processes, nullptr, std::nullopt, false, &stop};
        cli::Arguments a;
        a.action = cli::Action::backup;
        a.target = folder;
        return cli::run(a, machine, out, err);
    }
    platform::ScriptedProcesses processes;
    std::atomic<bool> stop{false};  // Ctrl+C, SIGTERM
    std::ostringstream out, err;
};

TEST_F(CommandLineTest, TheGameOrAnotherRunRefusesBeforeWritingALogThatCannotBeWrittenIsSaidNotFatalAndAStopIsSaid) {
    gameFolder.make();
    file(game("UserData\\Neighborhood.iff"), "neighbourhood");
    folder(backup);

    processes.images = {{"Sims.exe", game("Sims.exe")}};
    EXPECT_EQ(backupInto(backup), cli::exitcode::refused);
    EXPECT_NE(err.str().find("The Sims is running. Save and quit the game, then run the backup again."),
              std::string::npos) << err.str();
    EXPECT_TRUE(native.files->list(backup + "\\*.*").empty());

    // Another run (the wizard's restore) holds the drives: refused, nothing written.
    processes.images.clear();
    {
        test::OtherRun restoring(*native.files);
        EXPECT_EQ(backupInto(backup), cli::exitcode::refused);
        EXPECT_NE(err.str().find("Another Orrindale backup or restore is running"), std::string::npos) << err.str();
        EXPECT_NE(err.str().find("then run the backup again."), std::string::npos) << err.str();
        EXPECT_TRUE(native.files->list(backup + "\\*.*").empty());
    }

    // A read-only log is not replaced: the backup stands, exit 0, the log as it was.
    processes.images.clear();
    const std::string log = backup + "\\" + cli::kLogName;
    file(log, "an older line\r\n");
    setBits(log, platform::attr::readOnly);
    EXPECT_EQ(backupInto(backup), cli::exitcode::done) << err.str();
    EXPECT_TRUE(native.files->exists(descriptor::fileName(backup, services.clock.now())));
    EXPECT_NE(err.str().find("could not be added to"), std::string::npos) << err.str();
    EXPECT_EQ(native.files->readFile(log), "an older line\r\n");
    EXPECT_TRUE(native.files->list(backup + "\\~orrindale-*.tmp").empty());
    setBits(log, 0);

    // Ctrl+C or the system's SIGTERM (systemd stopping the timer's service):
    // the run stops between files, says so, marks nothing and leaves no
    // temporary; the log says it stopped.
    file(game("Downloads\\Sofa.far"), "sofa");
    const std::string stopped = root.path("Stopped");
    folder(stopped);
    stop = true;
    EXPECT_EQ(backupInto(stopped), cli::exitcode::failed);
    EXPECT_NE(err.str().find("The backup was cancelled."), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("Run the backup again to make a complete one."), std::string::npos) << err.str();
    EXPECT_FALSE(native.files->exists(descriptor::fileName(stopped, services.clock.now())));
    EXPECT_TRUE(native.files->list(stopped + "\\~orrindale-*.tmp").empty());
    const auto stoppedLog = native.files->readFile(stopped + "\\" + cli::kLogName);
    ASSERT_TRUE(stoppedLog);
    EXPECT_NE(stoppedLog->find(" stopped, not complete: "), std::string::npos) << *stoppedLog;
}

}  // namespace
}  // namespace orr::test
