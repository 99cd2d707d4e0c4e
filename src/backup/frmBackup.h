// PLACEHOLDER for the backup wizard, until it is built: an empty form of
// the wizard's kind (no title bar, fixed dialog border, 566 x 306) that the
// main menu's Start shows modeless. The frame's close command (Alt+F4)
// ends the program, as it will for the wizard.
#pragma once

#include "ui/Form.h"

namespace orr {

class Program;

class frmBackup : public ui::Form {
public:
    explicit frmBackup(Program& program);
};

}  // namespace orr
