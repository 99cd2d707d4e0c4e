// A form as the user sees it, for the scenario driver's dump. It is made
// from the form's state; a backend with windows then reads back what its
// windows show (FormPeer::readBack), so that a dump shows the screen and
// not only the state the windows were told.
#pragma once

#include "Control.h"

#include <string>
#include <utility>
#include <vector>

namespace orr::ui {

class Form;

struct FormView {
    bool visible = false;
    // The control with the keyboard focus (the one that gets it back when
    // the window is next activated); nullptr for none.
    const Control* focus = nullptr;
    // One entry for each of the form's controls, in the form's order.
    std::vector<ControlState> controls;
    // For each control array of frames (a stack of panels): its name and
    // the index of the frame in front.
    std::vector<std::pair<std::string, int>> frontFrames;
};

FormView viewOf(const Form& form);

}  // namespace orr::ui
