// POSIX has no task scheduler that starts a Windows program: the schedule
// is kept in memory for the process's life. Deliberately not in the
// prefix: the driver's scenarios share one Wine prefix, and a schedule
// kept there would outlive the scenario that made it.
#include "platform/weekly_task.h"

namespace orr::platform {

std::unique_ptr<WeeklyTasks> makeWeeklyTasks() {
    return std::make_unique<ScriptedWeeklyTasks>("C:\\Program Files\\Orrindale\\orrindale.exe");
}

}  // namespace orr::platform
