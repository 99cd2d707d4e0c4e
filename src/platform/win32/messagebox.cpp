#include "platform/services.h"

#include <windows.h>

namespace orr::platform {
namespace {

class SystemMessageBoxes final : public MessageBoxes {
public:
    MsgAnswer show(const std::string& text, const std::string& caption, MsgButtons buttons,
                   MsgIcon icon) override {
        // Task-modal: without an owner window the box still blocks every
        // window of the program until it is answered.
        UINT flags = MB_TASKMODAL | (buttons == MsgButtons::yesNo ? MB_YESNO : MB_OK);
        if (icon == MsgIcon::exclamation) flags |= MB_ICONEXCLAMATION;
        switch (MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags)) {
        case IDYES: return MsgAnswer::yes;
        case IDNO: return MsgAnswer::no;
        default: return MsgAnswer::ok;
        }
    }
};

}  // namespace

std::unique_ptr<MessageBoxes> makeMessageBoxes() { return std::make_unique<SystemMessageBoxes>(); }

}  // namespace orr::platform
