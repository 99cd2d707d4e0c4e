#include "support/ui_backends.h"

#include "ui/win32/FormWindow.h"
#include "ui/win32/Win32Gui.h"
#include "ui/headless/HeadlessGui.h"

#include <windows.h>

namespace orr::test {

std::vector<std::string> uiBackendNames() { return {"headless", "win32"}; }

std::unique_ptr<ui::Gui> makeUiBackend(const std::string& name) {
    if (name == "headless") return std::make_unique<ui::HeadlessGui>();
    if (name == "win32" && ui::Win32Gui::available())
        return std::make_unique<ui::Win32Gui>(ui::EndAction::unwind);
    return nullptr;
}

namespace {

ui::Rect toRect(const RECT& r, UINT dpi) {
    return {ui::unscaled(r.left, dpi), ui::unscaled(r.top, dpi), ui::unscaled(r.right - r.left, dpi),
            ui::unscaled(r.bottom - r.top, dpi)};
}

}  // namespace

std::optional<ui::Rect> nativePlace(const ui::Control& control) {
    auto* window = dynamic_cast<ui::FormWindow*>(control.form().peer());
    HWND hwnd = window ? window->windowOf(control) : nullptr;
    if (!hwnd) return std::nullopt;
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, window->hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return toRect(r, ui::windowDpi(window->hwnd()));
}

std::optional<ui::Rect> nativeClientArea(const ui::Form& form) {
    auto* window = dynamic_cast<ui::FormWindow*>(form.peer());
    if (!window) return std::nullopt;
    RECT r;
    GetClientRect(window->hwnd(), &r);
    return toRect(r, ui::windowDpi(window->hwnd()));
}

bool desktopReady() { return ui::Win32Gui::available(); }

}  // namespace orr::test
