// Without a desktop to show a box on, the message goes to the error stream
// and the box is answered as a user who dismisses it would: OK, or No.
#include "platform/services.h"

#include <iostream>

namespace orr::platform {
namespace {

class StreamMessageBoxes final : public MessageBoxes {
public:
    MsgAnswer show(const std::string& text, const std::string& caption, MsgButtons buttons,
                   MsgIcon) override {
        std::cerr << caption << ": " << text << std::endl;
        return buttons == MsgButtons::yesNo ? MsgAnswer::no : MsgAnswer::ok;
    }
};

}  // namespace

std::unique_ptr<MessageBoxes> makeMessageBoxes() { return std::make_unique<StreamMessageBoxes>(); }

}  // namespace orr::platform
