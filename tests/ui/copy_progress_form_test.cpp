// The copy progress window: shown only once a copy has run for a while,
// following the files, and its Cancel reaching the copy at the next file.
#include "ui/CopyProgressForm.h"
#include "platform/error.h"
#include "ui/headless/HeadlessGui.h"

#include <gtest/gtest.h>

#include <chrono>

namespace orr {
namespace {

using namespace std::chrono_literals;

TEST(CopyProgressForm, AShortCopyShowsNothingButStillLetsEventsRun) {
    ui::HeadlessGui gui;
    ui::CopyProgressForm progress(gui, 1h);
    ui::Form other(gui, "frmOther");
    ui::CommandButton button(other, "cmd", {0, 0, 10, 10});
    int clicks = 0;
    button.Click = [&] { ++clicks; };
    other.show();
    gui.queueClick(button);

    progress.begin("C:\\Game\\UserData", "C:\\bk", 2, 10);
    EXPECT_TRUE(progress.advance("C:\\Game\\UserData\\a.txt", 1, 4));
    EXPECT_FALSE(progress.visible());
    EXPECT_EQ(clicks, 1);  // delivered by the advance
    progress.end();
    EXPECT_FALSE(progress.visible());
}

TEST(CopyProgressForm, ALongCopyShowsTheFileTheCountAndTheBarAndTakesCancelAlsoWhileAWizardIsShownModal) {
    ui::HeadlessGui gui;
    ui::CopyProgressForm progress(gui, 0s);
    progress.begin("C:\\Game\\UserData", "C:\\bk", 4, 1000);
    ASSERT_TRUE(progress.advance("C:\\Game\\UserData\\Houses\\House01.iff", 1, 500));
    EXPECT_TRUE(progress.visible());
    EXPECT_FALSE(progress.shownModal());
    EXPECT_EQ(progress.caption(), "Copying...");
    EXPECT_EQ(progress.lblFile.caption(), "House01.iff");
    EXPECT_EQ(progress.lblFromTo.caption(), "From 'UserData' to 'C:\\bk'");
    EXPECT_EQ(progress.lblCount.caption(), "1 of 4 files");
    const int half = progress.shpBar.bounds().width;
    EXPECT_GT(half, 0);
    ASSERT_TRUE(progress.advance("C:\\Game\\UserData\\b.txt", 3, 1000));
    EXPECT_EQ(progress.shpBar.bounds().width, 2 * half);
    EXPECT_LE(progress.shpBar.bounds().width, progress.picTrack.bounds().width);
    // A queued Cancel stops the copy at the next file.
    gui.queueClick(progress.cmdCancel);
    EXPECT_FALSE(progress.advance("C:\\Game\\UserData\\c.txt", 4, 1000));
    progress.end();
    EXPECT_FALSE(progress.visible());

    // The next copy starts from nothing.
    progress.begin("C:\\x\\Music", "C:\\bk", 1, 0);
    EXPECT_FALSE(progress.cancelled());
    EXPECT_EQ(progress.shpBar.bounds().width, 0);
    EXPECT_EQ(progress.lblFromTo.caption(), "From 'Music' to 'C:\\bk'");

    // It comes up and takes Cancel while a wizard is shown modal.
    ui::Form wizard(gui, "frmWizard");
    ui::Form plain(gui, "frmPlain");
    bool advanced = false;
    // The copy runs inside the modal show, as a restore does.
    gui.setInput([&] {
        if (advanced) return false;
        advanced = true;
        progress.begin("C:\\a", "C:\\b", 2, 2);
        EXPECT_THROW(plain.show(), RunError);
        EXPECT_TRUE(progress.advance("C:\\a\\1", 1, 1));
        EXPECT_TRUE(progress.visible());
        EXPECT_TRUE(gui.key(progress, ui::KeyPress{ui::Key::escape}));
        EXPECT_FALSE(progress.advance("C:\\a\\2", 2, 2));
        progress.end();
        wizard.hide();
        return true;
    });
    wizard.show(ui::Modality::modal);
    EXPECT_TRUE(advanced);
    EXPECT_FALSE(progress.visible());
}

}  // namespace
}  // namespace orr
