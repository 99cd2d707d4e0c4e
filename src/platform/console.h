// Prepares the standard streams of a console program (the scenario driver,
// the tests): bytes pass unchanged, "\n" stays "\n", text is UTF-8.
#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace orr::platform {

void prepareConsole();

// The words the program was started with, after its own name, in UTF-8
// (Windows reads its own UTF-16 command line and ignores `argv`).
std::vector<std::string> programWords(int argc, char** argv);

// A window program started from a console writes to that console: where
// the standard streams lead nowhere (not redirected to a file or a pipe),
// they are reopened on the console of the process that started this one.
// Nothing changes where there is no such console (a double-click, the Task
// Scheduler) or where the streams already lead somewhere.
void useParentConsole();

// A command-line run asked to stop by its user or the system (Ctrl+C or
// Ctrl+Break; on POSIX also SIGTERM and SIGHUP, which systemd and a closed
// terminal send): from the first call on, such a request only sets the
// flag returned, which a run asks between files, so that the run ends with
// its files in a known state and says so. The flag is the process's own
// (the system's signal delivery knows no other place); calls after the
// first return the same flag.
const std::atomic<bool>& catchStopRequests();

}  // namespace orr::platform
