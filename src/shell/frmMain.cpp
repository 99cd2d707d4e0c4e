#include "frmMain.h"

#include "Program.h"
#include "ProductPage.h"
#include "backup/frmBackup.h"
#include "restore/frmRestore.h"

namespace orr {

frmMain::frmMain(Program& program)
    : ui::Form(program.gui, "frmMain"),
      fraChoice(*this, "Frame1", {8, 0, 409, 217}),
      lblWelcome(fraChoice, "Label2", {48, 32, 289, 17}),
      optBackup(fraChoice, "optBackup", {64, 80, 305, 25}),
      optRestore(fraChoice, "optRestore", {64, 112, 273, 25}),
      lblProductPage(*this, "Label4", {16, 232, 201, 17}),
      cmdStart(*this, "Command4", {232, 224, 81, 25}),
      cmdQuit(*this, "Command3", {328, 224, 89, 25}),
      program_(program) {
    setCaption("Orrindale");
    setBorderStyle(ui::BorderStyle::fixedSingle);
    setStartPosition(ui::StartPosition::centerScreen);
    setClientSize(423, 257);
    setFont({"Arial", 8.25, false, false});

    lblWelcome.setCaption("Welcome to Orrindale");
    lblWelcome.setAlignment(ui::Alignment::center);
    optBackup.setCaption("Orrindale");
    optRestore.setCaption("Restore Sims Customizations");
    optBackup.setValue(true);
    lblProductPage.setCaption(productPageCaption());
    lblProductPage.setForeColor(ui::rgb(0, 0, 255));
    lblProductPage.setFontUnderline(true);
    cmdStart.setCaption("Start");
    cmdQuit.setCaption("Cancel");

    // "Cancel" comes first, so it holds the focus when the menu is shown.
    cmdQuit.setTabIndex(0);
    optBackup.setTabIndex(1);
    optRestore.setTabIndex(2);
    cmdStart.setTabIndex(3);
    fraChoice.setTabIndex(4);
    lblWelcome.setTabIndex(5);
    lblProductPage.setTabIndex(6);

    cmdStart.Click = [this] { Command4_Click(); };
    cmdQuit.Click = [this] { Command3_Click(); };
    lblProductPage.Click = [this] { Label4_Click(); };
    // Closing the menu's window leaves the program without a window.
    FrameClose = [this] { program_.quit(); };
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
