#include "platform/console.h"

namespace orr::platform {

// The standard streams already pass bytes unchanged here.
void prepareConsole() {}

std::vector<std::string> programWords(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

// A POSIX program always has the streams it was started with.
void useParentConsole() {}

}  // namespace orr::platform
