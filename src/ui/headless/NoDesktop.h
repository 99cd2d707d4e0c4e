// The pointer and event pump of work done while no window system runs:
// the headless toolkit, the scenario driver between programs, the copy
// benchmark.
#pragma once

#include "platform/events.h"
#include "platform/pointer.h"

namespace orr::ui {

// No pointer to draw; the setting is only remembered.
class RememberedPointer final : public platform::MousePointer {
public:
    void set(platform::Pointer p) override { current_ = p; }
    platform::Pointer current() const override { return current_; }

private:
    platform::Pointer current_ = platform::Pointer::normal;
};

// No window events, so nothing to let run.
class NoEvents final : public platform::EventPump {
public:
    void process() override {}
};

}  // namespace orr::ui
