#include "platform/progress_dialog.h"

namespace orr::platform {

// No system dialog here: the forms' own CopyProgressForm serves instead.
std::unique_ptr<CopyProgress> makeSystemProgress(EventPump&) { return nullptr; }

}  // namespace orr::platform
