#include "platform/console.h"

namespace orr::platform {

// The standard streams already pass bytes unchanged here.
void prepareConsole() {}

}  // namespace orr::platform
