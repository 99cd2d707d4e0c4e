// The system's own copy progress dialog (IProgressDialog): it comes up
// once a copy has run for about a second, shows the current file, the
// files and bytes done and the time left, and has a Cancel button. It
// runs on the shell's own thread, so it paints while the copy works; our
// windows get their events at every advance.
#pragma once

#include "platform/events.h"
#include "platform/shell_copy.h"

#include <memory>

namespace orr::platform {

std::unique_ptr<CopyProgress> makeSystemProgress(EventPump& events);

}  // namespace orr::platform
