// No pointer to draw here; the setting is only remembered.
#include "platform/services.h"

namespace orr::platform {
namespace {

class RememberedPointer final : public MousePointer {
public:
    void set(Pointer p) override { current_ = p; }
    Pointer current() const override { return current_; }

private:
    Pointer current_ = Pointer::normal;
};

}  // namespace

std::unique_ptr<MousePointer> makeMousePointer() { return std::make_unique<RememberedPointer>(); }

}  // namespace orr::platform
