#include "FormWindow.h"

#include "platform/error.h"
#include "platform/win32/handles.h"
#include "ui/FormView.h"

#include <algorithm>
#include <string>
#include <utility>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace orr::ui {
namespace {

bool isContainer(const Control& c) {
    return c.kind() == ControlKind::frame || c.kind() == ControlKind::pictureBox;
}

bool isButton(const Control& c) {
    return c.kind() == ControlKind::commandButton || c.kind() == ControlKind::optionButton ||
           c.kind() == ControlKind::checkBox;
}

// The entries a drop-down list shows when open, at most; more scroll.
constexpr int VisibleListEntries = 8;

DWORD frameStyle(const Form& form) {
    if (form.titleBar()) return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    return WS_POPUP | WS_CLIPCHILDREN |
           (form.borderStyle() == BorderStyle::fixedDialog ? WS_DLGFRAME : WS_BORDER);
}

DWORD frameExStyle(const Form& form) {
    return form.borderStyle() == BorderStyle::fixedDialog ? WS_EX_DLGMODALFRAME : 0;
}

std::string listEntry(HWND combo, int i) {
    LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length == CB_ERR) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT copied = SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string windowText(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

Color backColorOf(const Control* container, const Form& form) {
    if (auto* colored = dynamic_cast<const Colored*>(container)) return colored->backColor();
    return form.backColor();
}

using Pen = platform::win32::Owned<HPEN, DeleteObject>;

}  // namespace

FormWindow::FormWindow(Win32Gui::System& system, Form& form) : system_(system), form_(form) {
    createWindow();
}

FormWindow::~FormWindow() { destroyWindows(); }

LRESULT CALLBACK FormWindow::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return self ? self->handle(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

void FormWindow::createWindow() {
    DWORD style = frameStyle(form_);
    DWORD exStyle = frameExStyle(form_);
    bool systemPlaced = form_.startPosition() == StartPosition::windowsDefault;
    // The system places only overlapped windows: a form without a title bar
    // is made as one to get that place, then takes its own style.
    DWORD createStyle =
        systemPlaced && !form_.titleBar() ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN : style;
    hwnd_ = CreateWindowExA(exStyle, FormClassName, form_.caption().c_str(), createStyle,
                            systemPlaced ? CW_USEDEFAULT : 0, 0, 100, 100, nullptr, nullptr,
                            system_.instance, this);
    if (!hwnd_) throw RunError(7, "Out of memory");
    if (createStyle != style) SetWindowLongPtrA(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(style));
    dpi_ = windowDpi(hwnd_);

    for (Control* c : form_.controls()) items_.push_back({c, nullptr, nullptr});
    // Containers come before what they hold: a control is made after its container.
    for (Item& item : items_) createItem(item);
    stackInZOrder();
    placeWindow();
    EnableWindow(hwnd_, form_.windowEnabled());
}

void FormWindow::createItem(Item& item) {
    Control& c = *item.control;
    item.parent = windowOfContainer(c.container());
    const char* windowClass = nullptr;
    std::string text;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    switch (c.kind()) {
    case ControlKind::commandButton:
        windowClass = "BUTTON";
        text = static_cast<CommandButton&>(c).caption();
        style |= WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY;
        break;
    case ControlKind::optionButton:
        windowClass = "BUTTON";
        text = static_cast<OptionButton&>(c).caption();
        style |= WS_TABSTOP | BS_RADIOBUTTON | BS_NOTIFY | BS_MULTILINE;
        break;
    case ControlKind::checkBox:
        windowClass = "BUTTON";
        text = static_cast<CheckBox&>(c).caption();
        style |= WS_TABSTOP | BS_AUTOCHECKBOX | BS_NOTIFY | BS_MULTILINE;
        break;
    case ControlKind::comboBox:
        windowClass = "COMBOBOX";
        style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
        break;
    case ControlKind::textBox: {
        auto& box = static_cast<TextBox&>(c);
        windowClass = "EDIT";
        text = box.text();
        style |= WS_TABSTOP | (box.multiLine() ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN : ES_AUTOHSCROLL);
        if (box.locked()) style |= ES_READONLY;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    }
    case ControlKind::frame:
        windowClass = ContainerClassName;
        style |= WS_CLIPCHILDREN;
        exStyle = WS_EX_CONTROLPARENT;
        break;
    case ControlKind::pictureBox:
        windowClass = ContainerClassName;
        style |= WS_CLIPCHILDREN;
        exStyle = WS_EX_CONTROLPARENT | (static_cast<PictureBox&>(c).border() ? WS_EX_CLIENTEDGE : 0);
        break;
    default:
        item.hwnd = nullptr;  // drawn by its container
        return;
    }
    if (c.visible()) style |= WS_VISIBLE;
    if (!c.enabled()) style |= WS_DISABLED;
    RECT r = rectOf(c);
    item.hwnd = CreateWindowExA(exStyle, windowClass, text.c_str(), style, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, item.parent, nullptr,
                                system_.instance, this);
    if (!item.hwnd) throw RunError(7, "Out of memory");
    if (auto* toggle = dynamic_cast<Toggle*>(&c))
        SendMessageA(item.hwnd, BM_SETCHECK, toggle->value() ? BST_CHECKED : BST_UNCHECKED, 0);
    else if (auto* combo = dynamic_cast<ComboBox*>(&c))
        fillList(item.hwnd, *combo);
    applyFont(item);
}

void FormWindow::fillList(HWND hwnd, const ComboBox& combo) {
    SendMessageA(hwnd, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : combo.items())
        SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(combo.listIndex()), 0);
}

// A drop-down list's window is as high as the list open; the system keeps
// the closed box as high as its font needs. The selection field is sized
// so that the closed box fills the bounds the form gives.
void FormWindow::placeList(const Item& item) {
    RECT r = rectOf(*item.control);
    int closed = r.bottom - r.top;
    auto entry = static_cast<int>(SendMessageA(item.hwnd, CB_GETITEMHEIGHT, 0, 0));
    int open = closed + std::max(entry, 1) * VisibleListEntries + 2;
    SetWindowPos(item.hwnd, nullptr, r.left, r.top, r.right - r.left, open, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT now;
    GetWindowRect(item.hwnd, &now);
    auto field = static_cast<int>(SendMessageA(item.hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    int wanted = field + closed - (now.bottom - now.top);
    if (wanted > 0 && wanted != field)
        SendMessageA(item.hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wanted);
}

// Later in the stack is higher: the last one placed on top ends in front.
void FormWindow::stackInZOrder() {
    std::vector<const Item*> windowed;
    for (const Item& item : items_)
        if (item.hwnd) windowed.push_back(&item);
    std::stable_sort(windowed.begin(), windowed.end(), [](const Item* a, const Item* b) {
        return a->control->zOrder() < b->control->zOrder();
    });
    for (const Item* item : windowed)
        SetWindowPos(item->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormWindow::placeWindow() {
    RECT r{0, 0, scaled(form_.clientWidth(), dpi_), scaled(form_.clientHeight(), dpi_)};
    adjustWindowRect(r, static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE)),
                     static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_EXSTYLE)), dpi_);
    int width = r.right - r.left, height = r.bottom - r.top;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    int x = 0, y = 0;
    if (form_.startPosition() == StartPosition::centerScreen) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& screen = monitor.rcMonitor;
        x = screen.left + (screen.right - screen.left - width) / 2;
        y = screen.top + (screen.bottom - screen.top - height) / 2;
    } else {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(hwnd_, nullptr, x, y, width, height, flags);
}

void FormWindow::relayout() {
    for (const Item& item : items_) {
        if (!item.hwnd) continue;
        applyBounds(item);
        applyFont(item);
    }
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

RECT FormWindow::rectOf(const Control& c) const {
    const Rect& b = c.bounds();
    return {scaled(b.left, dpi_), scaled(b.top, dpi_), scaled(b.left + b.width, dpi_),
            scaled(b.top + b.height, dpi_)};
}

void FormWindow::applyBounds(const Item& item) {
    if (item.control->kind() == ControlKind::comboBox) return placeList(item);
    RECT r = rectOf(*item.control);
    SetWindowPos(item.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::applyFont(const Item& item) {
    if (!item.hwnd) return;
    SendMessageA(item.hwnd, WM_SETFONT,
                 reinterpret_cast<WPARAM>(system_.gdi.font(item.control->font(), dpi_)), TRUE);
    if (item.control->kind() == ControlKind::comboBox) placeList(item);  // the font sets its heights
}

void FormWindow::invalidateArea(const Item& item) {
    if (!item.parent) return;
    RECT r = rectOf(*item.control);
    int margin = 2;
    if (dynamic_cast<const Line*>(item.control)) margin += scaled(1, dpi_);
    InflateRect(&r, margin, margin);
    InvalidateRect(item.parent, &r, TRUE);
}

FormWindow::Item* FormWindow::itemOf(const Control* control) {
    for (Item& item : items_)
        if (item.control == control) return &item;
    return nullptr;
}

const FormWindow::Item* FormWindow::itemOf(const Control* control) const {
    for (const Item& item : items_)
        if (item.control == control) return &item;
    return nullptr;
}

FormWindow::Item* FormWindow::itemOf(HWND hwnd) {
    if (!hwnd) return nullptr;
    for (Item& item : items_)
        if (item.hwnd == hwnd) return &item;
    return nullptr;
}

HWND FormWindow::windowOfContainer(const Control* container) const {
    if (!container) return hwnd_;
    const Item* item = itemOf(container);
    return item && item->hwnd ? item->hwnd : hwnd_;
}

const Control* FormWindow::controlOfContainer(HWND hwnd) const {
    if (hwnd == hwnd_) return nullptr;
    for (const Item& item : items_)
        if (item.hwnd == hwnd) return item.control;
    return nullptr;
}

HWND FormWindow::windowOf(const Control& control) const {
    const Item* item = itemOf(&control);
    return item ? item->hwnd : nullptr;
}

HWND FormWindow::containerOf(const Control& control, POINT& middle) const {
    const Item* item = itemOf(&control);
    if (!item) return nullptr;
    RECT r = rectOf(control);
    middle = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return item->parent;
}

void FormWindow::formChanged(Aspect what) {
    if (!hwnd_) return;
    switch (what) {
    case Aspect::caption: SetWindowTextA(hwnd_, form_.caption().c_str()); break;
    case Aspect::visible:
        if (form_.visible()) {
            ShowWindow(hwnd_, SW_SHOWNORMAL);
            SetForegroundWindow(hwnd_);
            UpdateWindow(hwnd_);
        } else {
            ShowWindow(hwnd_, SW_HIDE);
        }
        break;
    case Aspect::enabled: EnableWindow(hwnd_, form_.windowEnabled()); break;
    case Aspect::bounds: placeWindow(); break;
    case Aspect::font:
    case Aspect::colors: relayout(); break;
    default: break;
    }
}

void FormWindow::controlChanged(Control& control, Aspect what) {
    Item* item = itemOf(&control);
    if (!hwnd_ || !item) return;
    HWND hwnd = item->hwnd;
    switch (what) {
    case Aspect::bounds:
        if (hwnd) applyBounds(*item);
        else InvalidateRect(item->parent, nullptr, TRUE);
        break;
    case Aspect::enabled:
        if (hwnd) EnableWindow(hwnd, control.enabled());
        else invalidateArea(*item);
        break;
    case Aspect::visible:
        if (hwnd) ShowWindow(hwnd, control.visible() ? SW_SHOWNA : SW_HIDE);
        else invalidateArea(*item);
        break;
    case Aspect::caption:
        if (auto* button = dynamic_cast<CommandButton*>(&control)) SetWindowTextA(hwnd, button->caption().c_str());
        else if (auto* toggle = dynamic_cast<Toggle*>(&control)) SetWindowTextA(hwnd, toggle->caption().c_str());
        else if (hwnd) InvalidateRect(hwnd, nullptr, TRUE);
        else invalidateArea(*item);
        break;
    case Aspect::text:
        if (auto* box = dynamic_cast<TextBox*>(&control)) {
            settingText_ = true;
            SetWindowTextA(hwnd, box->text().c_str());
            settingText_ = false;
        }
        break;
    case Aspect::value:
        if (auto* toggle = dynamic_cast<Toggle*>(&control))
            SendMessageA(hwnd, BM_SETCHECK, toggle->value() ? BST_CHECKED : BST_UNCHECKED, 0);
        else if (auto* combo = dynamic_cast<ComboBox*>(&control))
            SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(combo->listIndex()), 0);
        break;
    case Aspect::items:
        if (auto* combo = dynamic_cast<ComboBox*>(&control)) fillList(hwnd, *combo);
        break;
    case Aspect::font:
        applyFont(*item);
        if (isContainer(control)) relayout();
        else if (!hwnd) invalidateArea(*item);
        break;
    case Aspect::colors:
        if (hwnd) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        else invalidateArea(*item);
        break;
    case Aspect::zOrder:
        if (hwnd) {
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            // A panel brought to front is painted now, with what changed
            // before it: the work that follows may run no events for long
            // (Wine's shell copy runs none), and the user would see the
            // panel it replaced until then.
            RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        } else {
            invalidateArea(*item);
        }
        break;
    case Aspect::style:
        if (control.kind() == ControlKind::textBox || control.kind() == ControlKind::pictureBox) {
            // Edit styles and borders are fixed at creation: make the window anew.
            bool focused = hwnd && GetFocus() == hwnd;
            if (hwnd) {
                SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
                DestroyWindow(hwnd);
            }
            createItem(*item);
            stackInZOrder();
            if (focused) SetFocus(item->hwnd);
        } else if (hwnd) {
            InvalidateRect(hwnd, nullptr, TRUE);
        } else {
            invalidateArea(*item);
        }
        break;
    }
}

void FormWindow::focusChanged(Control* control) {
    if (!hwnd_ || !IsWindowVisible(hwnd_) || GetActiveWindow() != hwnd_) return;
    HWND target = control ? windowOf(*control) : nullptr;
    SetFocus(target ? target : hwnd_);
}

void FormWindow::destroyWindows() {
    if (!hwnd_) return;
    HWND top = std::exchange(hwnd_, nullptr);
    pressed_ = nullptr;
    // The windows forget this object first: nothing of the program runs
    // while they go.
    SetWindowLongPtrA(top, GWLP_USERDATA, 0);
    for (Item& item : items_) {
        if (item.hwnd && isContainer(*item.control)) SetWindowLongPtrA(item.hwnd, GWLP_USERDATA, 0);
        item.hwnd = nullptr;
        item.parent = nullptr;
    }
    if (GetCapture() && GetAncestor(GetCapture(), GA_ROOT) == top) ReleaseCapture();
    DestroyWindow(top);
}

// Windowed controls report their own state; the windowless ones (labels,
// shapes, lines) are painted from the form's state at each WM_PAINT, and
// every change to them invalidates their area, so the state is what shows.
void FormWindow::readBack(FormView& view) const {
    if (!hwnd_) return;
    view.visible = IsWindowVisible(hwnd_) != FALSE;
    // While the window is active the focus is where the system says; else
    // the form's record says where it goes back to (WM_ACTIVATE).
    if (GetActiveWindow() == hwnd_) {
        HWND focus = GetFocus();
        view.focus = nullptr;
        for (const Item& item : items_)
            if (item.hwnd && item.hwnd == focus) view.focus = item.control;
    }
    const auto& controls = form_.controls();
    for (std::size_t i = 0; i < controls.size() && i < view.controls.size(); ++i) {
        const Item* item = itemOf(controls[i]);
        if (!item || !item->hwnd) continue;
        ControlState& s = view.controls[i];
        s.enabled = IsWindowEnabled(item->hwnd) != FALSE;
        s.visible = (GetWindowLongPtrA(item->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
        switch (controls[i]->kind()) {
        case ControlKind::commandButton: s.caption = windowText(item->hwnd); break;
        case ControlKind::optionButton:
            s.caption = windowText(item->hwnd);
            s.value = SendMessageA(item->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
            break;
        case ControlKind::checkBox:
            s.caption = windowText(item->hwnd);
            s.value = SendMessageA(item->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
            break;
        case ControlKind::textBox: s.text = windowText(item->hwnd); break;
        case ControlKind::comboBox: {
            std::vector<std::string> list;
            auto count = static_cast<int>(SendMessageA(item->hwnd, CB_GETCOUNT, 0, 0));
            for (int e = 0; e < count; ++e) list.push_back(listEntry(item->hwnd, e));
            auto selected = static_cast<int>(SendMessageA(item->hwnd, CB_GETCURSEL, 0, 0));
            s.listIndex = selected < 0 ? -1 : selected;
            s.text = selected < 0 ? std::string() : listEntry(item->hwnd, selected);
            s.list = std::move(list);
            break;
        }
        default: break;
        }
    }
    // The frame in front is the one that comes first among its siblings.
    for (auto& [name, front] : view.frontFrames) {
        int best = -1;
        for (const Item& item : items_) {
            const Control& c = *item.control;
            if (!item.hwnd || c.name() != name || c.index() < 0) continue;
            int above = 0;
            for (HWND w = GetWindow(item.hwnd, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) ++above;
            if (best < 0 || above < best) {
                best = above;
                front = c.index();
            }
        }
    }
}

LRESULT FormWindow::handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (lp) command(reinterpret_cast<HWND>(lp), HIWORD(wp));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        // A list's field and entries keep the system's window colours.
        if (const Item* item = itemOf(reinterpret_cast<HWND>(lp)); item && item->control->kind() == ControlKind::comboBox)
            break;
        return colors(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), hwnd);
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers everything
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        paint(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(hwnd, reinterpret_cast<HDC>(wp));
        return 0;
    case WM_LBUTTONDOWN: {
        POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        pressed_ = labelAt(hwnd, p);
        if (pressed_) SetCapture(hwnd);
        return 0;
    }
    case WM_LBUTTONUP: {
        POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        Label* down = std::exchange(pressed_, nullptr);
        if (GetCapture() == hwnd) ReleaseCapture();
        // A click is a press and a release on the same label.
        if (down && labelAt(hwnd, p) == down) {
            Win32Gui::System& system = system_;
            system.guarded([&] { system.gui.deliverClick(*down); });
        }
        return 0;
    }
    case WM_SETCURSOR:
        if (system_.hourglass) {
            SetCursor(LoadCursorA(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_CLOSE:
        if (hwnd == hwnd_) {
            Form& form = form_;
            system_.guarded([&] { form.frameCloseRequested(); });
            return 0;
        }
        break;
    case WM_ACTIVATE:
        // Coming back, the form's focused control takes the focus again.
        if (hwnd == hwnd_ && LOWORD(wp) != WA_INACTIVE) {
            HWND target = form_.activeControl() ? windowOf(*form_.activeControl()) : nullptr;
            SetFocus(target ? target : hwnd_);
            return 0;
        }
        break;
    case WM_DPICHANGED:
        if (hwnd == hwnd_) {
            dpi_ = HIWORD(wp);
            const auto* suggested = reinterpret_cast<const RECT*>(lp);
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            relayout();
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// After a handler has run this object may already be retired: nothing
// here touches it once the handler is called.
void FormWindow::command(HWND child, WORD code) {
    Item* item = itemOf(child);
    if (!item) return;
    Control* control = item->control;
    if (isButton(*control)) {
        if (code == BN_SETFOCUS) {
            form_.focusMovedByUser(control);
        } else if (code == BN_CLICKED) {
            Win32Gui::System& system = system_;
            system.guarded([&] { system.gui.deliverClick(*control); });
        }
    } else if (auto* box = dynamic_cast<TextBox*>(control)) {
        if (code == EN_SETFOCUS) form_.focusMovedByUser(box);
        else if (code == EN_CHANGE && !settingText_) box->textEdited(windowText(child));
    } else if (auto* combo = dynamic_cast<ComboBox*>(control)) {
        if (code == CBN_SETFOCUS) {
            form_.focusMovedByUser(combo);
        } else if (code == CBN_SELCHANGE) {
            // The window shows the user's pick already; the state follows,
            // and Click runs as the state's rule says.
            auto picked = static_cast<int>(SendMessageA(child, CB_GETCURSEL, 0, 0));
            Win32Gui::System& system = system_;
            system.guarded([&] { system.gui.dispatch([&] { combo->setListIndex(picked < 0 ? -1 : picked); }); });
        }
    }
}

LRESULT FormWindow::colors(HDC dc, HWND child, HWND container) {
    Color around = backColorOf(controlOfContainer(container), form_);
    const Item* item = itemOf(child);
    if (item) {
        if (auto* colored = dynamic_cast<const Colored*>(item->control)) {
            SetTextColor(dc, toColorRef(colored->foreColor()));
            SetBkColor(dc, toColorRef(colored->backColor()));
            return reinterpret_cast<LRESULT>(system_.gdi.brush(colored->backColor()));
        }
    }
    // Push buttons: the corners round them show the container.
    return reinterpret_cast<LRESULT>(system_.gdi.brush(around));
}

void FormWindow::paint(HWND container, HDC dc) {
    const Control* owner = controlOfContainer(container);
    RECT client;
    GetClientRect(container, &client);
    FillRect(dc, &client, system_.gdi.brush(backColorOf(owner, form_)));
    if (auto* frame = dynamic_cast<const Frame*>(owner)) paintFrameBorder(dc, container, *frame);

    std::vector<const Item*> drawn;
    for (const Item& item : items_)
        if (!item.hwnd && item.parent == container && item.control->visible()) drawn.push_back(&item);
    std::stable_sort(drawn.begin(), drawn.end(), [](const Item* a, const Item* b) {
        return a->control->zOrder() < b->control->zOrder();
    });
    for (const Item* item : drawn) {
        if (auto* label = dynamic_cast<const Label*>(item->control)) paintLabel(dc, *label);
        else if (auto* shape = dynamic_cast<const Shape*>(item->control)) paintShape(dc, *shape);
        else if (auto* line = dynamic_cast<const Line*>(item->control)) paintLine(dc, *line);
    }
}

// The etched line runs through the middle of the caption's height, as a
// group box draws it, also when the caption is empty.
void FormWindow::paintFrameBorder(HDC dc, HWND container, const Frame& frame) {
    if (!frame.border() && frame.caption().empty()) return;
    HGDIOBJ old = SelectObject(dc, system_.gdi.font(frame.font(), dpi_));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT r;
    GetClientRect(container, &r);
    r.top += metrics.tmHeight / 2;
    if (frame.border()) DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
    if (!frame.caption().empty()) {
        RECT text{scaled(6, dpi_), 0, r.right - scaled(6, dpi_), metrics.tmHeight};
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, toColorRef(frame.backColor()));
        SetTextColor(dc, toColorRef(frame.foreColor()));
        DrawTextA(dc, frame.caption().c_str(), -1, &text, DT_SINGLELINE | DT_LEFT);
    }
    SelectObject(dc, old);
}

void FormWindow::paintLabel(HDC dc, const Label& label) {
    RECT r = rectOf(label);
    FillRect(dc, &r, system_.gdi.brush(label.backColor()));
    HGDIOBJ old = SelectObject(dc, system_.gdi.font(label.font(), dpi_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, label.enabled() ? toColorRef(label.foreColor()) : GetSysColor(COLOR_GRAYTEXT));
    UINT format = DT_WORDBREAK;
    if (label.alignment() == Alignment::center) format |= DT_CENTER;
    else if (label.alignment() == Alignment::right) format |= DT_RIGHT;
    DrawTextA(dc, label.caption().c_str(), -1, &r, format);
    SelectObject(dc, old);
}

void FormWindow::paintShape(HDC dc, const Shape& shape) {
    RECT r = rectOf(shape);
    if (shape.shape() == ShapeKind::square) {
        int side = std::min(r.right - r.left, r.bottom - r.top);
        r.left += (r.right - r.left - side) / 2;
        r.top += (r.bottom - r.top - side) / 2;
        r.right = r.left + side;
        r.bottom = r.top + side;
    }
    if (shape.filled()) FillRect(dc, &r, system_.gdi.brush(shape.fillColor()));
    FrameRect(dc, &r, system_.gdi.brush(shape.borderColor()));
}

void FormWindow::paintLine(HDC dc, const Line& line) {
    Pen pen(CreatePen(PS_SOLID, std::max(1, scaled(1, dpi_)), toColorRef(line.borderColor())));
    HGDIOBJ old = SelectObject(dc, pen.get());
    MoveToEx(dc, scaled(line.x1(), dpi_), scaled(line.y1(), dpi_), nullptr);
    LineTo(dc, scaled(line.x2(), dpi_), scaled(line.y2(), dpi_));
    SelectObject(dc, old);
}

Label* FormWindow::labelAt(HWND container, POINT p) {
    Label* top = nullptr;
    for (const Item& item : items_) {
        auto* label = dynamic_cast<Label*>(item.control);
        if (!label || item.hwnd || item.parent != container || !label->visible()) continue;
        RECT r = rectOf(*label);
        if (PtInRect(&r, p) && (!top || label->zOrder() > top->zOrder())) top = label;
    }
    return top;
}

}  // namespace orr::ui
