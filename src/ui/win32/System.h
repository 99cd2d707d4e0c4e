// The window system's side of the toolkit, shared by the form windows:
// window classes, GDI objects, the mouse pointer, and the exception that
// waits to be thrown on once the system's frames are behind it.
#pragma once

#include "Win32Gui.h"
#include "ui/Font.h"

#include <windows.h>

#include <exception>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

namespace orr::ui {

class FormWindow;

inline constexpr const char* FormClassName = "OrrindaleForm";
inline constexpr const char* ContainerClassName = "OrrindaleContainer";

// Brushes and fonts, made on first use and kept until the toolkit goes.
class GdiCache {
public:
    GdiCache() = default;
    ~GdiCache();
    GdiCache(const GdiCache&) = delete;
    GdiCache& operator=(const GdiCache&) = delete;

    HBRUSH brush(Color c);
    // The font at `dpi` dots per inch.
    HFONT font(const Font& f, UINT dpi);

private:
    std::map<COLORREF, HBRUSH> brushes_;
    std::map<std::tuple<std::string, double, bool, bool, UINT>, HFONT> fonts_;
};

COLORREF toColorRef(Color c);
// From pixels at 96 dots per inch to pixels at `dpi`, and back.
inline int scaled(int v, UINT dpi) { return MulDiv(v, static_cast<int>(dpi), 96); }
inline int unscaled(int v, UINT dpi) { return MulDiv(v, 96, static_cast<int>(dpi)); }
UINT windowDpi(HWND hwnd);
// The window rectangle for a client rectangle, at `dpi`.
void adjustWindowRect(RECT& r, DWORD style, DWORD exStyle, UINT dpi);

struct Win32Gui::System {
    explicit System(Win32Gui& gui);
    ~System();
    System(const System&) = delete;
    System& operator=(const System&) = delete;

    // Runs part of a handler inside a window procedure. While an exception
    // waits, no further handler runs: the program is on its way out.
    template <class F>
    void guarded(F&& f) {
        if (carried) return;
        try {
            f();
        } catch (...) {
            carried = std::current_exception();
        }
    }
    void rethrowCarried() {
        if (carried) std::rethrow_exception(std::exchange(carried, nullptr));
    }

    // One message: the form's keys first, then the control's. True when
    // the form took the key.
    bool dispatchOne(MSG& msg);
    // Waits for one message and dispatches it; false on the quit message,
    // which stays queued for the outer loops.
    bool waitAndDispatch();
    // The form window that `hwnd` belongs to, if it is one of ours.
    FormWindow* formWindowOf(HWND hwnd) const;

    Win32Gui& gui;
    GdiCache gdi;
    HINSTANCE instance;
    bool hourglass = false;
    std::exception_ptr carried;
    std::unique_ptr<platform::EventPump> pump;
    std::unique_ptr<platform::MousePointer> pointer;

private:
    bool translateKey(const MSG& msg);
    bool formClass_ = false;
    bool containerClass_ = false;
};

}  // namespace orr::ui
