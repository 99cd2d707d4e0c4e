// What the user is told about the weekly backup, and /unschedule's work:
// no form, no Program, so that the command line and the wizard share it.
#pragma once

#include "platform/weekly_task.h"

#include <string>
#include <string_view>

namespace orr::weekly {

// The Finish panel's box could not add (`adding`) or remove the folder's
// task: what failed, that the schedule is as it was, what to do.
std::string failedText(bool adding, std::string_view folder);

struct Unscheduled {
    enum class Outcome {
        removed,      // the folder's task is gone
        noneFound,    // the folder had none; nothing changed
        notAFolder,   // not a full path: nothing asked of the scheduler
        failed,       // the scheduler refused; the task is as it was
    };
    Outcome outcome;
    // The words to print, one paragraph.
    std::string text;
};

// `orrindale.exe /unschedule "FOLDER"`: removes the folder's weekly task.
// The folder need not exist any more.
Unscheduled unschedule(platform::WeeklyTasks& tasks, std::string_view folder);

}  // namespace orr::weekly
