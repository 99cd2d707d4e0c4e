// The window system the driver runs the program on: the headless toolkit,
// or real windows where the platform has them (the Windows driver, when a
// desktop exists). Defined once for each platform.
#pragma once

#include "ui/Gui.h"

#include <memory>
#include <string>

namespace orr::drive {

class Windowing {
public:
    virtual ~Windowing() = default;
    // The toolkit; it unwinds with ui::ProgramEnded when the program ends.
    virtual ui::Gui& gui() = 0;
    // Writes a PNG image of the form's window to `file` (a path as this
    // system's file functions take it). False, with the reason in `why`,
    // where it cannot: no windows here, or the form shows none.
    virtual bool capture(const ui::Form& form, const std::string& file, std::string& why) = 0;
};

std::unique_ptr<Windowing> makeWindowing();

}  // namespace orr::drive
