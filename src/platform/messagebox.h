// Message boxes: modal, dismissed by the user before show() returns.
// Deliberate: every Yes/No box has No as its default button (what Enter
// answers). Each question of this program asks whether to write over
// files (a restore of a damaged backup, a file replaced), and the answer a
// user gives without reading must change nothing.
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
