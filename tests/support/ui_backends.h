// The toolkits the form-layer tests run on: the headless one everywhere,
// and on Windows (or Wine) the window toolkit as well, where a desktop
// exists to show windows on.
#pragma once

#include "ui/Gui.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orr::test {

// "headless", and "win32" on Windows.
std::vector<std::string> uiBackendNames();
// A new toolkit of that name that unwinds at the program's end, or nullptr
// when it cannot run here (no desktop).
std::unique_ptr<ui::Gui> makeUiBackend(const std::string& name);
// Where the window toolkit put a windowed control: relative to the form's
// client area, in pixels at 96 dots per inch (nothing without a window).
std::optional<ui::Rect> nativePlace(const ui::Control& control);
// The form window's client area, at 96 dots per inch (width, height).
std::optional<ui::Rect> nativeClientArea(const ui::Form& form);
// True when the desktop services (windows, the clipboard) work here.
bool desktopReady();

}  // namespace orr::test
