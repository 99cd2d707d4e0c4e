#include "frmMain.h"

#include "Program.h"
#include "ProductPage.h"
#include "backup/frmBackup.h"
#include "restore/frmRestore.h"

namespace orr {

frmMain::frmMain(Program& program)
    : ui::Form(program.gui, "frmMain"),
      Frame1(*this, "Frame1", {8, 0, 409, 217}),
      Label2(Frame1, "Label2", {48, 32, 289, 17}),
      optBackup(Frame1, "optBackup", {64, 80, 305, 25}),
      optRestore(Frame1, "optRestore", {64, 112, 273, 25}),
      Label4(*this, "Label4", {16, 232, 201, 17}),
      Command4(*this, "Command4", {232, 224, 81, 25}),
      Command3(*this, "Command3", {328, 224, 89, 25}),
      program_(program) {
    setCaption("Orrindale");
    setBorderStyle(ui::BorderStyle::fixedSingle);
    setStartPosition(ui::StartPosition::centerScreen);
    setClientSize(423, 257);
    setFont({"Arial", 8.25, false, false});

    Label2.setCaption("Welcome to Orrindale");
    Label2.setAlignment(ui::Alignment::center);
    optBackup.setCaption("Orrindale");
    optRestore.setCaption("Restore Sims Customizations");
    optBackup.setValue(true);
    Label4.setCaption(productPageCaption());
    Label4.setForeColor(ui::rgb(0, 0, 255));
    Label4.setFontUnderline(true);
    Command4.setCaption("Start");
    Command3.setCaption("Cancel");

    // "Cancel" comes first, so it holds the focus when the menu is shown.
    Command3.setTabIndex(0);
    optBackup.setTabIndex(1);
    optRestore.setTabIndex(2);
    Command4.setTabIndex(3);
    Frame1.setTabIndex(4);
    Label2.setTabIndex(5);
    Label4.setTabIndex(6);

    Command4.Click = [this] { Command4_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Label4.Click = [this] { Label4_Click(); };
    // Closing the menu's window leaves the program without a window.
    FrameClose = [this] { program_.end(); };
}

void frmMain::Command4_Click() {
    if (optBackup.value()) {
        hide();
        program_.backupWizard().show(ui::Modality::modeless);
    } else {
        hide();
        program_.restoreWizard().show(ui::Modality::modal);
    }
}

void frmMain::Command3_Click() { program_.end(); }

void frmMain::Label4_Click() { openProductPage(program_, hWnd()); }

}  // namespace orr
