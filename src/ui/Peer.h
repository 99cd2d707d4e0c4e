// What a backend puts behind a form: the windows that show the form's state.
// The form tells it every change; the backend reports the user's input back
// through the form, its controls and the Gui.
#pragma once

#include "Control.h"

#include <cstdint>

namespace orr::ui {

struct FormView;

class FormPeer {
public:
    virtual ~FormPeer() = default;
    // The form's own window: caption, visible (shown or hidden), enabled.
    virtual void formChanged(Aspect what) = 0;
    virtual void controlChanged(Control& control, Aspect what) = 0;
    // The form's focus moved to `control` (nullptr: to no control).
    virtual void focusChanged(Control* control) = 0;
    // Destroys the windows at once, without running any of the program's
    // handlers; the object itself may outlive them until the toolkit frees it.
    virtual void destroyWindows() = 0;
    // The window's handle, as the platform's own functions take it.
    virtual std::uintptr_t handle() const = 0;
    // Replaces what `view` says (made from the form's state) by what the
    // windows show, where they hold it themselves.
    virtual void readBack(FormView& view) const { (void)view; }
};

}  // namespace orr::ui
