// One driver run: the services the program runs on, with message boxes
// answered from the script and the date fixed when asked, and the
// transcript they write to.
#pragma once

#include "platform/services.h"

#include <deque>
#include <optional>
#include <ostream>

namespace orr::drive {

// Writes each box to the transcript and answers it from the queue of
// scripted answers (OK, or No for a Yes/No box, when none is queued).
class ScriptedMessages : public platform::MessageBoxes {
public:
    explicit ScriptedMessages(std::ostream& out) : out_(out) {}
    void queue(platform::MsgAnswer a) { answers_.push_back(a); }
    platform::MsgAnswer show(const std::string& text, const std::string& caption,
                             platform::MsgButtons buttons, platform::MsgIcon icon) override;

private:
    std::ostream& out_;
    std::deque<platform::MsgAnswer> answers_;
};

// The local time of a fixed day, noon.
class FixedClock : public platform::Clock {
public:
    explicit FixedClock(platform::DateTime day) : day_(day) {}
    platform::DateTime now() override { return day_; }

private:
    platform::DateTime day_;
};

class Session {
public:
    Session(const platform::Options& options, std::optional<platform::DateTime> today,
            std::ostream& out);

    platform::Services& services() { return services_; }
    ScriptedMessages& messages() { return messages_; }
    std::ostream& out() { return out_; }

private:
    std::ostream& out_;
    platform::NativeServices native_;
    ScriptedMessages messages_;
    std::optional<FixedClock> fixedClock_;
    platform::Services services_;
};

}  // namespace orr::drive
