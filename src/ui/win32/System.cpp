#include "System.h"

#include "FormWindow.h"

#include <cmath>
#include <cstring>

namespace orr::ui {
namespace {

// Functions that newer systems have: looked up, so that the program also
// starts where they are missing.
template <class Fn>
Fn user32Function(const char* name) {
    FARPROC proc = GetProcAddress(GetModuleHandleA("user32.dll"), name);
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

class Pump final : public platform::EventPump {
public:
    explicit Pump(Win32Gui::System& system) : system_(system) {}
    // Every message waiting now, and those they bring on; a quit request
    // stays queued for the main loop.
    void process() override {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            system_.dispatchOne(msg);
            system_.rethrowCarried();
        }
    }

private:
    Win32Gui::System& system_;
};

// The pointer is set now and kept over the program's windows (WM_SETCURSOR).
class Pointer final : public platform::MousePointer {
public:
    explicit Pointer(Win32Gui::System& system) : system_(system) {}
    void set(platform::Pointer p) override {
        system_.hourglass = p == platform::Pointer::hourglass;
        SetCursor(LoadCursorA(nullptr, system_.hourglass ? IDC_WAIT : IDC_ARROW));
    }
    platform::Pointer current() const override {
        return system_.hourglass ? platform::Pointer::hourglass : platform::Pointer::normal;
    }

private:
    Win32Gui::System& system_;
};

}  // namespace

GdiCache::~GdiCache() {
    for (auto& [c, brush] : brushes_) DeleteObject(brush);
    for (auto& [key, font] : fonts_) DeleteObject(font);
}

HBRUSH GdiCache::brush(Color c) {
    COLORREF rgb = toColorRef(c);
    auto it = brushes_.find(rgb);
    if (it == brushes_.end()) it = brushes_.emplace(rgb, CreateSolidBrush(rgb)).first;
    return it->second;
}

HFONT GdiCache::font(const Font& f, UINT dpi) {
    auto key = std::make_tuple(f.name, f.size, f.bold, f.underline, dpi);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    LOGFONTA lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(f.size * dpi / 72.0));
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = f.underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::strncpy(lf.lfFaceName, f.name.c_str(), LF_FACESIZE - 1);
    return fonts_.emplace(key, CreateFontIndirectA(&lf)).first->second;
}

COLORREF toColorRef(Color c) {
    return isSystemColor(c) ? GetSysColor(systemColorIndex(c)) : static_cast<COLORREF>(c);
}

UINT windowDpi(HWND hwnd) {
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && hwnd) {
        if (UINT dpi = getDpiForWindow(hwnd)) return dpi;
    }
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

void adjustWindowRect(RECT& r, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto adjustForDpi =
        user32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&r, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
}

Win32Gui::System::System(Win32Gui& owner)
    : gui(owner),
      instance(GetModuleHandleA(nullptr)),
      pump(std::make_unique<Pump>(*this)),
      pointer(std::make_unique<Pointer>(*this)) {
    // The program's icon is resource 1; a program without one (the tests)
    // shows the system's.
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    HICON smallIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), 0));
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FormWindow::windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = icon ? icon : LoadIconA(nullptr, IDI_APPLICATION);
    wc.hIconSm = smallIcon;
    wc.lpszClassName = FormClassName;
    formClass_ = RegisterClassExA(&wc) != 0;

    wc.hIcon = nullptr;
    wc.hIconSm = nullptr;
    wc.lpszClassName = ContainerClassName;
    containerClass_ = RegisterClassExA(&wc) != 0;
}

Win32Gui::System::~System() {
    if (formClass_) UnregisterClassA(FormClassName, instance);
    if (containerClass_) UnregisterClassA(ContainerClassName, instance);
}

FormWindow* Win32Gui::System::formWindowOf(HWND hwnd) const {
    if (!hwnd) return nullptr;
    HWND root = GetAncestor(hwnd, GA_ROOT);
    char name[32] = {};
    if (!root || !GetClassNameA(root, name, sizeof name) || std::strcmp(name, FormClassName) != 0)
        return nullptr;
    return reinterpret_cast<FormWindow*>(GetWindowLongPtrA(root, GWLP_USERDATA));
}

bool Win32Gui::System::translateKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    FormWindow* window = formWindowOf(msg.hwnd);
    if (!window) return false;
    // While a drop-down list is open its keys are its own: Esc and Enter
    // close it, the arrows move in it.
    char className[16] = {};
    if (GetClassNameA(msg.hwnd, className, sizeof className) && lstrcmpiA(className, "ComboBox") == 0 &&
        SendMessageA(msg.hwnd, CB_GETDROPPEDSTATE, 0, 0))
        return false;
    KeyPress key;
    key.alt = msg.message == WM_SYSKEYDOWN && (HIWORD(msg.lParam) & KF_ALTDOWN);
    key.ctrl = GetKeyState(VK_CONTROL) < 0;
    key.shift = GetKeyState(VK_SHIFT) < 0;
    WPARAM vk = msg.wParam;
    switch (vk) {
    case VK_TAB: key.key = Key::tab; break;
    case VK_ESCAPE: key.key = Key::escape; break;
    case VK_RETURN: key.key = Key::enter; break;
    case VK_UP: key.key = Key::up; break;
    case VK_DOWN: key.key = Key::down; break;
    case VK_LEFT: key.key = Key::left; break;
    case VK_RIGHT: key.key = Key::right; break;
    default:
        if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
            key.key = Key::character;
            key.character = static_cast<char>(vk);
        } else {
            return false;
        }
    }
    // Alt with anything but a letter or digit is the system's (Alt+Tab, Alt+F4).
    if (key.alt && key.key != Key::character) return false;
    bool handled = false;
    guarded([&] { handled = window->form().pressKey(key); });
    return handled || carried;
}

bool Win32Gui::System::dispatchOne(MSG& msg) {
    if (translateKey(msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return false;
}

bool Win32Gui::System::waitAndDispatch() {
    MSG msg;
    BOOL result = GetMessageA(&msg, nullptr, 0, 0);
    if (result == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (result < 0) return false;
    dispatchOne(msg);
    return true;
}

}  // namespace orr::ui
