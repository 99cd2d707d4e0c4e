#include "platform/services.h"

#include <windows.h>

namespace orr::platform {
namespace {

class SystemMessageBoxes final : public MessageBoxes {
public:
    MsgAnswer show(const std::string& text, const std::string& caption, MsgButtons buttons,
                   MsgIcon icon) override {
        // Owned by the window that is showing, so that the box comes up over
        // it; task-modal where there is none, so that it still blocks every
        // window of the program until it is answered.
        // No is a question's default button, so that Enter answers No.
        HWND owner = GetActiveWindow();
        UINT flags = (owner ? MB_APPLMODAL : MB_TASKMODAL) |
                     (buttons == MsgButtons::yesNo ? MB_YESNO | MB_DEFBUTTON2 : MB_OK);
        if (icon == MsgIcon::exclamation) flags |= MB_ICONEXCLAMATION;
        switch (MessageBoxA(owner, text.c_str(), caption.c_str(), flags)) {
        case IDYES: return MsgAnswer::yes;
        case IDNO: return MsgAnswer::no;
        default: return MsgAnswer::ok;
        }
    }
};

}  // namespace

std::unique_ptr<MessageBoxes> makeMessageBoxes() { return std::make_unique<SystemMessageBoxes>(); }

}  // namespace orr::platform
