// The program-wide mouse pointer.
#pragma once

namespace orr::platform {

enum class Pointer { normal = 0, hourglass = 11 };

class MousePointer {
public:
    virtual ~MousePointer() = default;
    virtual void set(Pointer p) = 0;
    virtual Pointer current() const = 0;
};

}  // namespace orr::platform
