// The window system's services for a run with no window: the pointer and
// the events do nothing, and a message goes to the console (a question is
// answered No: nobody is there to answer it).
#pragma once

#include "platform/events.h"
#include "platform/messagebox.h"
#include "platform/pointer.h"

#include <ostream>

namespace orr::cli {

class NoWindow final : public platform::MousePointer, public platform::EventPump {
public:
    void set(platform::Pointer p) override { pointer_ = p; }
    platform::Pointer current() const override { return pointer_; }
    void process() override {}

private:
    platform::Pointer pointer_ = platform::Pointer::normal;
};

class ConsoleMessages final : public platform::MessageBoxes {
public:
    explicit ConsoleMessages(std::ostream& out) : out_(out) {}
    platform::MsgAnswer show(const std::string& text, const std::string&, platform::MsgButtons buttons,
                             platform::MsgIcon) override {
        for (char c : text)
            if (c != '\r') out_ << c;
        out_ << '\n';
        return buttons == platform::MsgButtons::yesNo ? platform::MsgAnswer::no : platform::MsgAnswer::ok;
    }

private:
    std::ostream& out_;
};

}  // namespace orr::cli
