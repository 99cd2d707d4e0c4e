// What a run that did not complete tells the user: the lists stop at ten
// with a count (failures, files left out, links skipped), a user's Cancel
// is told as a cancel. A refusal's one total is the copy-failures
// scenario's, what a cancelled restore says the restore-cancel-midway's.
#include "gamedata/RunReport.h"

#include <gtest/gtest.h>

namespace orr {
namespace {

using platform::CopyOutcome;

SetsOutcome::Copy copyOf(const std::string& source, CopyOutcome::Result result, std::uint64_t files) {
    CopyOutcome o;
    o.result = result;
    o.files = files;
    return {source, o, {}};
}

TEST(RunReport, ListsStopAtTenWithACountAndACancelIsNoFailure) {
    SetsOutcome failed;
    failed.copies.push_back(copyOf("C:\\G\\Downloads", CopyOutcome::Result::failed, 0));
    std::vector<std::string> left;
    for (int i = 0; i < 11; ++i) {
        const std::string name = "C:\\G\\Downloads\\F" + std::to_string(i) + ".far";
        failed.copies[0].outcome.failures.push_back({name, platform::CopyReason::inUse});
        left.push_back("D:\\bk\\Downloads\\F" + std::to_string(i) + ".far");
    }
    const std::string problems = report::problems(failed);
    EXPECT_NE(problems.find("F9.far: in use"), std::string::npos);
    EXPECT_EQ(problems.find("F10.far"), std::string::npos);
    EXPECT_NE(problems.find("... and 1 more files."), std::string::npos);
    const std::string list = report::leftOutList(left, "D:\\bk");
    EXPECT_NE(list.find("\r\nDownloads\\F9.far\r\n... and 1 more.\r\n"), std::string::npos) << list;

    failed.copies[0].outcome.skipped = {"C:\\G\\Downloads\\Mods", "C:\\G\\Downloads\\Old"};
    EXPECT_EQ(report::skippedNote(failed), "2 linked folders were not copied.");
    EXPECT_NE(report::skippedLinks(failed).find("\r\n\r\nC:\\G\\Downloads\\Mods\r\nC:\\G\\Downloads\\Old\r\n"),
              std::string::npos);

    SetsOutcome cancelled;
    cancelled.copies.push_back(copyOf("C:\\G\\UserData", CopyOutcome::Result::completed, 2));
    cancelled.copies.push_back(copyOf("C:\\G\\Downloads", CopyOutcome::Result::cancelled, 1));
    const std::string back = report::backupFailed(cancelled, "D:\\bk", false, "C:\\G");
    EXPECT_TRUE(back.starts_with("The backup was cancelled. 3 files had been copied into D:\\bk, but that folder "
                                 "has not been marked as a backup"))
        << back;
    EXPECT_EQ(back.find("Close The Sims"), std::string::npos);
}

}  // namespace
}  // namespace orr
