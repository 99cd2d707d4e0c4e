// The POSIX layer runs no Windows program of its own: its list holds what
// its owner scripts, nothing at first. Reading the Wine processes of the
// prefix from /proc is left for later.
#include "platform/processes.h"

namespace orr::platform {

std::unique_ptr<Processes> makeProcesses() { return std::make_unique<ScriptedProcesses>(); }

}  // namespace orr::platform
