#include "owner_window.h"

#include <algorithm>

namespace orr::platform::win32 {

HWND ownerWindow() {
    if (HWND active = GetActiveWindow()) return GetAncestor(active, GA_ROOT);
    const DWORD thread = GetCurrentThreadId();
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetWindowThreadProcessId(w, nullptr) == thread && IsWindowVisible(w) && IsWindowEnabled(w)) return w;
    return nullptr;
}

void centreOnOwner(HWND box) {
    HWND owner = GetWindow(box, GW_OWNER);
    RECT o, b;
    if (!owner || !IsWindowVisible(owner) || !GetWindowRect(owner, &o) || !GetWindowRect(box, &b)) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const LONG width = b.right - b.left, height = b.bottom - b.top;
    // Deliberate: the box's top-left is clamped last, so that its title bar
    // stays on screen when the box is larger than the work area.
    LONG x = o.left + ((o.right - o.left) - width) / 2, y = o.top + ((o.bottom - o.top) - height) / 2;
    x = std::max(work.left, std::min(x, work.right - width));
    y = std::max(work.top, std::min(y, work.bottom - height));
    SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace orr::platform::win32
