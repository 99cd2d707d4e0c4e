// Prepares the standard streams of a console program (the scenario driver,
// the tests): bytes pass unchanged, "\n" stays "\n", text is UTF-8.
#pragma once

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

}  // namespace orr::platform
