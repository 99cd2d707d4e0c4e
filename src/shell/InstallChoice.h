// Step 1's choice of the install a wizard works on, the same in both
// wizards: the label names the install in use; with more than one found, a
// drop-down list offers each ("EDITION: FOLDER"), the one played last
// first; "Other game folder..." takes a folder the user picks, for this run
// of the wizard.
#pragma once

#include "ui/Controls.h"

namespace orr {

class Program;

class InstallChoice {
public:
    InstallChoice(Program& program, ui::Label& label, ui::ComboBox& list, ui::CommandButton& other);
    // Fills the list and the label from the installs found.
    void show();

private:
    void chosen();
    void pickFolder();

    Program& program_;
    ui::Label& label_;
    ui::ComboBox& list_;
};

}  // namespace orr
