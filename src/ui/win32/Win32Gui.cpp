#include "Win32Gui.h"

#include "FormWindow.h"
#include "System.h"
#include "ui/Controls.h"

#include <cctype>

namespace orr::ui {
namespace {

bool canTakeInput(const Gui& gui, const Control& control) {
    const Form& form = control.form();
    return !gui.ended() && form.visible() && form.windowEnabled() && control.reachable();
}

UINT virtualKey(const KeyPress& key) {
    switch (key.key) {
    case Key::tab: return VK_TAB;
    case Key::escape: return VK_ESCAPE;
    case Key::enter: return VK_RETURN;
    case Key::space: return VK_SPACE;
    case Key::up: return VK_UP;
    case Key::down: return VK_DOWN;
    case Key::left: return VK_LEFT;
    case Key::right: return VK_RIGHT;
    case Key::f4: return VK_F4;
    case Key::character: return static_cast<UINT>(std::toupper(static_cast<unsigned char>(key.character)));
    }
    return 0;
}

}  // namespace

Win32Gui::Win32Gui(EndAction endAction)
    : endAction_(endAction), system_(std::make_unique<System>(*this)) {}

// The forms may outlive this toolkit (tests): their windows go first.
Win32Gui::~Win32Gui() { discardAll(); }

bool Win32Gui::available() {
    HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    if (!probe) return false;
    DestroyWindow(probe);
    return true;
}

platform::EventPump& Win32Gui::events() { return *system_->pump; }
platform::MousePointer& Win32Gui::pointer() { return *system_->pointer; }

std::unique_ptr<FormPeer> Win32Gui::createPeer(Form& form) {
    return std::make_unique<FormWindow>(*system_, form);
}

void Win32Gui::run() {
    while (anyFormVisible() && !ended()) {
        freeRetired();
        if (serveInput() != Served::more) break;
    }
}

void Win32Gui::runModal(Form& form) {
    while (form.shownModal() && !ended()) {
        Served served = serveInput();
        if (served == Served::exhausted) throw InputExhausted{form.name()};
        if (served == Served::quit) break;
    }
}

// Messages already waiting go first, as they would reach the program
// before the user's next input; only then is the input source asked.
Win32Gui::Served Win32Gui::serveInput() {
    if (!hasInputSource()) {
        bool more = system_->waitAndDispatch();
        system_->rethrowCarried();
        return more ? Served::more : Served::quit;
    }
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return Served::quit;
        }
        system_->dispatchOne(msg);
        system_->rethrowCarried();
        return Served::more;
    }
    return pullInput() ? Served::more : Served::exhausted;
}

void Win32Gui::finishEnd() {
    if (endAction_ == EndAction::exitProcess) ExitProcess(0);
    throw ProgramEnded{};
}

bool Win32Gui::click(Control& control) {
    if (!canTakeInput(*this, control)) return false;
    auto* window = static_cast<FormWindow*>(control.form().peer());
    if (!window || control.kind() == ControlKind::frame || control.kind() == ControlKind::pictureBox)
        return Gui::click(control);
    if (HWND hwnd = window->windowOf(control)) {
        // A click into an edit box or a drop-down list only focuses it (a
        // list's entries are picked by choose()).
        if (control.kind() == ControlKind::textBox || control.kind() == ControlKind::comboBox)
            SetFocus(hwnd);
        else
            SendMessageA(hwnd, BM_CLICK, 0, 0);
    } else {
        POINT middle{};
        HWND container = window->containerOf(control, middle);
        LPARAM at = MAKELPARAM(middle.x, middle.y);
        SendMessageA(container, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(container, WM_LBUTTONUP, 0, at);
    }
    system_->rethrowCarried();
    return true;
}

void Win32Gui::queueClick(Control& control) {
    auto* window = static_cast<FormWindow*>(control.form().peer());
    if (!window) return;  // no window yet: nothing the user could click
    if (HWND hwnd = window->windowOf(control)) {
        if (control.kind() == ControlKind::commandButton || control.kind() == ControlKind::optionButton ||
            control.kind() == ControlKind::checkBox)
            PostMessageA(hwnd, BM_CLICK, 0, 0);
        return;
    }
    POINT middle{};
    HWND container = window->containerOf(control, middle);
    LPARAM at = MAKELPARAM(middle.x, middle.y);
    PostMessageA(container, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(container, WM_LBUTTONUP, 0, at);
}

bool Win32Gui::type(TextBox& box, const std::string& text) {
    if (!canTakeInput(*this, box) || box.locked()) return false;
    auto* window = static_cast<FormWindow*>(box.form().peer());
    HWND hwnd = window ? window->windowOf(box) : nullptr;
    if (!hwnd) return Gui::type(box, text);
    box.form().setFocus(box);
    SetWindowTextA(hwnd, text.c_str());  // the edit box tells the form (EN_CHANGE)
    system_->rethrowCarried();
    return true;
}

// The list takes the pick as from its own drop-down and tells its parent
// as it does then (CBN_SELCHANGE), so the state follows the window.
bool Win32Gui::choose(ComboBox& box, int index) {
    if (index < 0 || index >= static_cast<int>(box.items().size())) throw RunError(380, "Invalid property value");
    if (!canTakeInput(*this, box)) return false;
    auto* window = static_cast<FormWindow*>(box.form().peer());
    HWND hwnd = window ? window->windowOf(box) : nullptr;
    if (!hwnd) return Gui::choose(box, index);
    box.form().setFocus(box);
    SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(hwnd));
    system_->rethrowCarried();
    return true;
}

// The key goes into the message stream as the keyboard would put it there.
// Posted keys carry no Shift or Ctrl state: those take the form's own road.
bool Win32Gui::key(Form& form, const KeyPress& key) {
    if (ended() || !form.visible() || !form.windowEnabled()) return false;
    auto* window = static_cast<FormWindow*>(form.peer());
    if (!window || key.shift || key.ctrl) return Gui::key(form, key);
    HWND target = GetFocus();
    if (!target || system_->formWindowOf(target) != window) target = window->hwnd();
    MSG msg{};
    msg.hwnd = target;
    msg.message = key.alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = virtualKey(key);
    msg.lParam = 1 | (key.alt ? static_cast<LPARAM>(KF_ALTDOWN) << 16 : 0);
    bool taken = system_->dispatchOne(msg);
    system_->rethrowCarried();
    if (!taken) {
        // The control's own reaction (a button clicks when the key goes up).
        msg.message = key.alt ? WM_SYSKEYUP : WM_KEYUP;
        msg.lParam |= static_cast<LPARAM>(KF_REPEAT | KF_UP) << 16;
        system_->dispatchOne(msg);
        system_->rethrowCarried();
        events().process();
    }
    // Space and Alt+F4 are the controls' and the system's own; they count
    // as taken, as they do on the form's road.
    return taken || key.key == Key::space || (key.key == Key::f4 && key.alt);
}

}  // namespace orr::ui
