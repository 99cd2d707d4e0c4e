#include "platform/console.h"

#include <signal.h>

namespace orr::platform {

// The standard streams already pass bytes unchanged here.
void prepareConsole() {}

std::vector<std::string> programWords(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

// A POSIX program always has the streams it was started with.
void useParentConsole() {}

namespace {
// Written by the signal handler: lock-free, so safe there.
std::atomic<bool> stopAsked{false};
static_assert(std::atomic<bool>::is_always_lock_free);
void askStop(int) { stopAsked.store(true); }
}  // namespace

const std::atomic<bool>& catchStopRequests() {
    struct sigaction action{};
    action.sa_handler = askStop;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
    return stopAsked;
}

}  // namespace orr::platform
