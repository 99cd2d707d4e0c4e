// The system's message box, answered by a helper thread that finds it by
// its caption and presses keys or buttons as a user would.
#include "platform/services.h"
#include "support/ui_backends.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace orr {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;

constexpr const char* kCaption = "Orrindale Test Question";

// Shows a box and acts on it from another thread once it is up.
MsgAnswer answered(MsgButtons buttons, std::function<void(HWND)> act) {
    std::atomic<bool> found{false};
    std::thread user([&] {
        for (int i = 0; i < 200 && !found; ++i) {
            if (HWND box = FindWindowA(nullptr, kCaption)) {
                found = true;
                Sleep(200);  // let it finish setting itself up
                act(box);
            } else {
                Sleep(50);
            }
        }
    });
    const MsgAnswer answer = platform::makeMessageBoxes()->show("Restore the other files?", kCaption, buttons,
                                                                platform::MsgIcon::exclamation);
    user.join();
    EXPECT_TRUE(found);
    return answer;
}

void press(HWND box, WPARAM key) {
    PostMessageA(box, WM_KEYDOWN, key, 0);
    PostMessageA(box, WM_KEYUP, key, 0);
}

// Enter on a question never answers Yes: it takes the answer that
// changes nothing.
TEST(SystemMessageBoxes, EnterAnswersNoToAQuestionAndOkToAMessageAndABoxComesUpCentredOverItsOwner) {
    if (!test::desktopReady()) GTEST_SKIP() << "no desktop to show boxes on";
    EXPECT_EQ(answered(MsgButtons::yesNo, [](HWND box) { press(box, VK_RETURN); }), MsgAnswer::no);
    EXPECT_EQ(answered(MsgButtons::yesNo, [](HWND box) { PostMessageA(box, WM_COMMAND, IDYES, 0); }), MsgAnswer::yes);
    EXPECT_EQ(answered(MsgButtons::ok, [](HWND box) { press(box, VK_RETURN); }), MsgAnswer::ok);

    // Windows and Wine put a message box in the middle of the screen; ours
    // comes up over the window it belongs to, wherever that is.
    // A wizard-sized window in the screen's top-left corner, far from its middle.
    HWND owner = CreateWindowExA(0, "STATIC", "Orrindale Test Owner", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0,
                                 572, 472, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    SetActiveWindow(owner);
    RECT o{}, b{};
    HWND ownedBy = nullptr;
    answered(MsgButtons::ok, [&](HWND box) {
        GetWindowRect(box, &b);
        ownedBy = GetWindow(box, GW_OWNER);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    GetWindowRect(owner, &o);
    DestroyWindow(owner);
    EXPECT_EQ(ownedBy, owner);
    EXPECT_NEAR((b.left + b.right) / 2, (o.left + o.right) / 2, 1);
    EXPECT_NEAR((b.top + b.bottom) / 2, (o.top + o.bottom) / 2, 1);
}

}  // namespace
}  // namespace orr
