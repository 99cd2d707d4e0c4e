// The weekly task's name and command line, and /unschedule over a scripted
// schedule: the same on both layers.
#include "backup/WeeklyBackup.h"
#include "platform/weekly_task.h"

#include <gtest/gtest.h>

#include <string>

namespace orr::platform {
namespace {

// Wording, letter case, slashes and reserved characters: the weekly-backup scenarios'.
TEST(WeeklyTask, OneTaskPerFolderWhateverItsSpellingAndTheFolderReadBackWhole) {
    const std::string name = weeklyTaskName("C:\\Backups\\Sims");
    EXPECT_EQ(weeklyTaskName("C:\\Backups\\Sims\\\\"), name);
    // Folders that read alike once reserved characters are replaced stay apart.
    EXPECT_NE(weeklyTaskName("C:\\a_b"), weeklyTaskName("C:\\a\\b"));
    EXPECT_NE(weeklyTaskName("C:\\Backups\\Sims2"), name);
    // A long folder is cut, but two that differ only past the cut do not meet.
    const std::string longFolder = "D:\\" + std::string(300, 'x');
    EXPECT_LT(weeklyTaskName(longFolder + "1").size(), 200u);
    EXPECT_NE(weeklyTaskName(longFolder + "1"), weeklyTaskName(longFolder + "2"));
    // Cut inside a UTF-8 letter: the letter goes whole.
    const std::string name2 = weeklyTaskName("D:\\" + std::string(116, 'x') + "\xC3\xA9\xC3\xA9");
    EXPECT_NE(name2.find("xxx #"), std::string::npos) << name2;

    // A closing backslash would escape the quote: it is doubled. Quoting and
    // weekdays as such are the weekly-backup scenarios'.
    EXPECT_EQ(weeklyTaskArguments("D:\\"), "/backup \"D:\\\\\"");
    EXPECT_EQ(weekdayOf({2000, 2, 29, 0, 0, 0}), Weekday::tuesday);
}

TEST(Unschedule, RemovesTheFolderTaskOrSaysWhyItDidNot) {
    using Outcome = weekly::Unscheduled::Outcome;
    ScriptedWeeklyTasks tasks("C:\\Orrindale\\orrindale.exe");
    ASSERT_EQ(tasks.add("C:\\Backups\\Sims", {2026, 12, 5, 12, 0, 0}), TaskChange::done);
    ASSERT_EQ(tasks.add("C:\\Backups\\Other", {2026, 12, 6, 9, 30, 0}), TaskChange::done);

    // Not a full path: the scheduler is not asked.
    auto result = weekly::unschedule(tasks, "Backups\\Sims");
    EXPECT_EQ(result.outcome, Outcome::notAFolder);
    EXPECT_EQ(tasks.tasks.size(), 2u);

    // The scheduler refuses: the task stays, and the words say so.
    tasks.working = false;
    result = weekly::unschedule(tasks, "C:\\Backups\\Sims");
    EXPECT_EQ(result.outcome, Outcome::failed);
    EXPECT_NE(result.text.find("No schedule was changed"), std::string::npos) << result.text;
    EXPECT_NE(result.text.find(weeklyTaskName("C:\\Backups\\Sims")), std::string::npos) << result.text;
    tasks.working = true;
    EXPECT_EQ(tasks.exists("C:\\Backups\\Sims"), true);

    // Spelled otherwise, the same folder's task goes; the other stays.
    result = weekly::unschedule(tasks, "c:/backups/sims/");
    EXPECT_EQ(result.outcome, Outcome::removed);
    EXPECT_EQ(tasks.exists("C:\\Backups\\Sims"), false);
    EXPECT_EQ(tasks.exists("C:\\Backups\\Other"), true);
    EXPECT_EQ(weekly::unschedule(tasks, "C:\\Backups\\Sims").outcome, Outcome::noneFound);
}

}  // namespace
}  // namespace orr::platform
