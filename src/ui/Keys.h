// Keys that mean something to a form (focus moves, the cancel and default
// buttons, accelerators, the frame's close command). Other keys belong to
// the control that has the focus.
#pragma once

namespace orr::ui {

enum class Key { tab, escape, enter, space, up, down, left, right, f4, character };

struct KeyPress {
    Key key = Key::character;
    char character = 0;  // for Key::character: the letter or digit
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
};

}  // namespace orr::ui
