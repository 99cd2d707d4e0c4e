// Message boxes: modal, dismissed by the user before show() returns.
#pragma once

#include <string>

namespace orr::platform {

enum class MsgButtons { ok, yesNo };
enum class MsgIcon { none, exclamation };
enum class MsgAnswer { ok, yes, no };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(const std::string& text, const std::string& caption,
                           MsgButtons buttons = MsgButtons::ok,
                           MsgIcon icon = MsgIcon::none) = 0;
};

}  // namespace orr::platform
