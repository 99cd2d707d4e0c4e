// Lets the user's presses of Next and Back through only while no press of
// Next is still running. A run yields while it copies; a second click
// served there would otherwise start the whole run again, nested in the
// first. The wizards' own nested advances call their handlers directly and
// are not gated.
#pragma once

#include <functional>
#include <utility>

namespace orr {

class PressGate {
public:
    std::function<void()> next(std::function<void()> handler) {
        return [this, handler = std::move(handler)] {
            if (running_) return;
            running_ = true;
            // Also when the program ends in the middle (it unwinds through here).
            struct Reset {
                bool& flag;
                ~Reset() { flag = false; }
            } reset{running_};
            handler();
        };
    }
    std::function<void()> back(std::function<void()> handler) {
        return [this, handler = std::move(handler)] {
            if (!running_) handler();
        };
    }

private:
    bool running_ = false;
};

}  // namespace orr
