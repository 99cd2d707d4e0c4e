#include "WeeklyBackup.h"

#include "platform/windows_path.h"

namespace orr::weekly {

std::string failedText(bool adding, std::string_view folder) {
    const std::string f(folder);
    if (adding)
        return "Orrindale could not set up the weekly backup to " + f +
               ". No schedule was changed: nothing will back up to this folder by itself. The backup you "
               "just made is complete. Try again by ticking the box; if it keeps failing, start a backup "
               "from Orrindale yourself each week.";
    return "Orrindale could not stop the weekly backup to " + f +
           ". No schedule was changed: Windows will still back up to this folder every week. Try again by "
           "clearing the box; if it keeps failing, open Task Scheduler and delete the task \"" +
           platform::weeklyTaskName(folder) + "\".";
}

Unscheduled unschedule(platform::WeeklyTasks& tasks, std::string_view folder) {
    using Outcome = Unscheduled::Outcome;
    const std::string f(folder);
    if (!platform::isFullPath(folder))
        return {Outcome::notAFolder, "\"" + f +
                                         "\" is not a full folder path, so no schedule was changed. Give the "
                                         "backup folder the way the wizard showed it, for example "
                                         "/unschedule \"D:\\Sims Backups\"."};
    switch (tasks.remove(folder)) {
    case platform::TaskChange::done:
        return {Outcome::removed, "Orrindale will no longer back up to " + f + " every week."};
    case platform::TaskChange::absent:
        return {Outcome::noneFound, "There was no weekly backup to " + f + ", so no schedule was changed."};
    case platform::TaskChange::failed: break;
    }
    return {Outcome::failed, "Orrindale could not stop the weekly backup to " + f +
                                 ". No schedule was changed: if Windows backed up to this folder every week, it "
                                 "still does. Try again; if it keeps failing, open Task Scheduler and delete the "
                                 "task \"" + platform::weeklyTaskName(folder) + "\"."};
}

}  // namespace orr::weekly
