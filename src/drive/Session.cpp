#include "Session.h"

#include "Value.h"

namespace orr::drive {

platform::MsgAnswer ScriptedMessages::show(const std::string& text, const std::string& caption,
                                           platform::MsgButtons buttons, platform::MsgIcon icon) {
    out_ << "msgbox " << formatValue(caption) << ' ' << formatValue(text);
    if (icon == platform::MsgIcon::exclamation) out_ << " icon=exclamation";
    if (buttons == platform::MsgButtons::yesNo) out_ << " buttons=yesno";
    out_ << '\n';

    auto fallback = buttons == platform::MsgButtons::yesNo ? platform::MsgAnswer::no
                                                           : platform::MsgAnswer::ok;
    if (answers_.empty()) return fallback;
    auto a = answers_.front();
    answers_.pop_front();
    // An answer the box has no button for counts as its default.
    bool fits = (buttons == platform::MsgButtons::ok) == (a == platform::MsgAnswer::ok);
    return fits ? a : fallback;
}

Session::Session(const platform::Options& options, std::optional<platform::DateTime> today,
                 std::ostream& out)
    : out_(out),
      native_(options),
      messages_(out),
      fixedClock_(today ? std::optional<FixedClock>(FixedClock(*today)) : std::nullopt),
      services_{*native_.files,
                *native_.profiles,
                messages_,
                *native_.pointer,
                *native_.events,
                fixedClock_ ? static_cast<platform::Clock&>(*fixedClock_) : *native_.clock,
                *native_.locale,
                *native_.fileTable} {}

}  // namespace orr::drive
