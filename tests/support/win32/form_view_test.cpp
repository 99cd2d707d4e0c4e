// On real windows a form's view (what the driver's dump prints) is read
// back from the windows, not copied from the state they were told: a
// window changed behind the form layer's back shows in the view.
#include "ui/win32/FormWindow.h"
#include "ui/win32/Win32Gui.h"
#include "ui/ControlArray.h"
#include "ui/Controls.h"
#include "ui/FormView.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace orr {
namespace {

class Panels : public ui::Form {
public:
    explicit Panels(ui::Gui& gui) : ui::Form(gui, "frmPanels") {
        setClientSize(300, 200);
        for (int i = 0; i < 2; ++i) panels.add(*this, ui::Rect{8, 8, 200, 100});
    }
    ui::ControlArray<ui::Frame> panels{"fraSteps"};
    ui::TextBox txtPath{*this, "txtPath", {8, 120, 200, 25}};
    ui::CommandButton cmdNext{*this, "cmdNext", {8, 160, 65, 25}};
};

TEST(WindowReadBack, TheViewShowsWhatTheWindowsHoldNotWhatTheyWereTold) {
    if (!ui::Win32Gui::available()) GTEST_SKIP() << "no desktop to show windows on";
    ui::Win32Gui gui(ui::EndAction::unwind);
    Panels form(gui);
    form.txtPath.setText("C:\\Backups");
    form.show();
    auto* window = static_cast<ui::FormWindow*>(form.peer());
    ASSERT_NE(window, nullptr);
    auto stateOf = [&](const ui::FormView& view, const ui::Control& c) {
        for (std::size_t i = 0; i < form.controls().size(); ++i)
            if (form.controls()[i] == &c) return view.controls[i];
        return ui::ControlState{};
    };

    ui::FormView before = ui::viewOf(form);
    EXPECT_TRUE(stateOf(before, form.cmdNext).enabled);
    EXPECT_EQ(before.frontFrames.front().second, 1) << "the last made is in front";

    EnableWindow(window->windowOf(form.cmdNext), FALSE);
    SetWindowPos(window->windowOf(form.panels(0)), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ui::FormView after = ui::viewOf(form);
    EXPECT_FALSE(stateOf(after, form.cmdNext).enabled);
    EXPECT_TRUE(form.cmdNext.enabled()) << "the state itself is untouched";
    EXPECT_EQ(after.frontFrames.front().second, 0);
    EXPECT_EQ(stateOf(after, form.txtPath).text, "C:\\Backups");

    // The focus, while the window is active, is where the system has it.
    if (GetActiveWindow() == window->hwnd()) {
        SetFocus(window->windowOf(form.txtPath));
        EXPECT_EQ(ui::viewOf(form).focus, &form.txtPath);
    }
    ShowWindow(window->hwnd(), SW_HIDE);
    EXPECT_FALSE(ui::viewOf(form).visible);
}

}  // namespace
}  // namespace orr
