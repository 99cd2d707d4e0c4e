#include "platform/services.h"

#include "owner_window.h"

#include <windows.h>

namespace orr::platform {
namespace {

// A message box is centred on the screen by Windows and by Wine, wherever
// its owner is. A hook on this thread sees the box's window come up
// (before it shows) and moves it over its owner, as the user expects.
// Each box is placed once: a box activated again (after the user moved it
// or switched away) stays where it is.
class CentringHook {
public:
    CentringHook() : hook_(SetWindowsHookExW(WH_CBT, &CentringHook::proc, nullptr, GetCurrentThreadId())) {}
    ~CentringHook() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    CentringHook(const CentringHook&) = delete;
    CentringHook& operator=(const CentringHook&) = delete;

private:
    static constexpr const wchar_t* kPlaced = L"OrrindaleBoxPlaced";
    static LRESULT CALLBACK proc(int code, WPARAM wp, LPARAM lp) {
        if (code == HCBT_ACTIVATE) {
            const HWND box = reinterpret_cast<HWND>(wp);
            wchar_t name[16] = {};
            // "#32770" is the dialog class a message box is made of.
            if (GetClassNameW(box, name, 16) && lstrcmpW(name, L"#32770") == 0 && !GetPropW(box, kPlaced)) {
                SetPropW(box, kPlaced, reinterpret_cast<HANDLE>(1));
                win32::centreOnOwner(box);
            }
        }
        // The hook handle is ignored by CallNextHookEx since Windows NT.
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    HHOOK hook_;
};

class SystemMessageBoxes final : public MessageBoxes {
public:
    MsgAnswer show(const std::string& text, const std::string& caption, MsgButtons buttons,
                   MsgIcon icon) override {
        // Owned by the window that is showing, so that the box comes up over
        // it; task-modal where there is none, so that it still blocks every
        // window of the program until it is answered.
        // No is a question's default button, so that Enter answers No.
        HWND owner = win32::ownerWindow();
        UINT flags = (owner ? MB_APPLMODAL : MB_TASKMODAL) |
                     (buttons == MsgButtons::yesNo ? MB_YESNO | MB_DEFBUTTON2 : MB_OK);
        if (icon == MsgIcon::exclamation) flags |= MB_ICONEXCLAMATION;
        const CentringHook centring;
        int answer = MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
        switch (answer) {
        case IDYES: return MsgAnswer::yes;
        case IDNO: return MsgAnswer::no;
        default: return MsgAnswer::ok;
        }
    }
};

}  // namespace

std::unique_ptr<MessageBoxes> makeMessageBoxes() { return std::make_unique<SystemMessageBoxes>(); }

}  // namespace orr::platform
