#include "platform/services.h"

#include <windows.h>

namespace orr::platform {
namespace {

class SystemPointer final : public MousePointer {
public:
    void set(Pointer p) override {
        current_ = p;
        // The system cursors are shared resources: nothing to free.
        SetCursor(LoadCursorA(nullptr, p == Pointer::hourglass
                                           ? MAKEINTRESOURCEA(32514)     // IDC_WAIT
                                           : MAKEINTRESOURCEA(32512)));  // IDC_ARROW
    }
    Pointer current() const override { return current_; }

private:
    Pointer current_ = Pointer::normal;
};

}  // namespace

std::unique_ptr<MousePointer> makeMousePointer() { return std::make_unique<SystemPointer>(); }

}  // namespace orr::platform
