// The weekly backup the system's task scheduler runs for the current user:
// one task per backup folder, which starts this program as
// `"PROGRAM" /backup "FOLDER"` every week on one day at one time.
#pragma once

#include "filesystem.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orr::platform {

// Windows' numbering: Sunday is 0, and a day's bit in a weekly trigger is
// 1 << day.
enum class Weekday { sunday, monday, tuesday, wednesday, thursday, friday, saturday };

// The day of the week of a date (proleptic Gregorian).
Weekday weekdayOf(const DateTime& date);
// "Sunday" to "Saturday".
const char* weekdayName(Weekday day);

// The task's name for a backup folder, the same for every spelling of the
// folder that differs only in ASCII letter case, "/" for "\" or closing
// separators. Characters a task's name cannot hold become "_"; a short
// hash of the whole folder follows, so that folders that read alike after
// that (or after a long folder is cut) still get tasks of their own.
std::string weeklyTaskName(std::string_view folder);

// The task's command-line arguments: /backup and the folder quoted as
// CommandLineToArgvW reads it back (a closing "\" doubled before the quote).
std::string weeklyTaskArguments(std::string_view folder);

// What a change to the schedule came to. Either way nothing is half done:
// a failed change leaves the folder's task as it was.
enum class TaskChange {
    done,
    absent,  // remove: there was no task for the folder; nothing changed
    failed,  // the scheduler refused or could not be reached
};

class WeeklyTasks {
public:
    virtual ~WeeklyTasks() = default;
    // Whether the folder has its task; nothing when the scheduler cannot be
    // asked.
    virtual std::optional<bool> exists(std::string_view folder) = 0;
    // Creates the folder's task or replaces it: every week from `from` on,
    // on its day of the week at its hour and minute, run as the current
    // user whenever that user is logged on (no administrator rights, no
    // password), and as soon as possible after a start that was missed.
    // Never `absent`.
    virtual TaskChange add(std::string_view folder, const DateTime& from) = 0;
    // Deletes the folder's task.
    virtual TaskChange remove(std::string_view folder) = 0;
};

// A schedule in memory that its owner sets and reads: the driver's, the
// tests', and the POSIX layer's own.
class ScriptedWeeklyTasks final : public WeeklyTasks {
public:
    struct Task {
        std::string folder;  // as it was given
        DateTime from;
        std::string program;
        std::string arguments;
    };

    explicit ScriptedWeeklyTasks(std::string program) : program_(std::move(program)) {}

    // By task name.
    std::map<std::string, Task> tasks;
    // False: the scheduler cannot be reached; every call fails.
    bool working = true;

    std::optional<bool> exists(std::string_view folder) override;
    TaskChange add(std::string_view folder, const DateTime& from) override;
    TaskChange remove(std::string_view folder) override;

private:
    std::string program_;
};

// Windows: the Task Scheduler, the task running this program's executable.
// POSIX: a ScriptedWeeklyTasks, empty, whose tasks would run `program`.
std::unique_ptr<WeeklyTasks> makeWeeklyTasks();

}  // namespace orr::platform
