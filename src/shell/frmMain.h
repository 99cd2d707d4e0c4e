// The main menu: a choice between making a backup and restoring one, Start
// and Cancel, and the link to the product's web page.
#pragma once

#include "ui/Controls.h"
#include "ui/Form.h"

namespace orr {

class Program;

class frmMain : public ui::Form {
public:
    explicit frmMain(Program& program);

    // Members are named for what they show; the forms' original control
    // names, which the driver and the scenarios use, are their string ids.

    ui::Frame fraChoice;
    ui::Label lblWelcome;
    ui::OptionButton optBackup;
    ui::OptionButton optRestore;
    ui::Label lblProductPage;
    ui::CommandButton cmdStart;
    ui::CommandButton cmdQuit;  // "Cancel"

    // Start: hides the menu for good and opens the chosen wizard; stays
    // inside the restore wizard's modal show until that window goes.
    void Command4_Click();
    // Cancel: ends the program.
    void Command3_Click();
    // The web page link.
    void Label4_Click();

private:
    Program& program_;
};

}  // namespace orr
