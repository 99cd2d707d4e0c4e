// PLACEHOLDER: see frmBackup.h.
#include "frmBackup.h"

#include "shell/Program.h"

namespace orr {

frmBackup::frmBackup(Program& program) : ui::Form(program.gui, "frmBackup") {
    setTitleBar(false);
    setBorderStyle(ui::BorderStyle::fixedDialog);
    setClientSize(566, 306);
    FrameClose = [&program] { program.end(); };
}

}  // namespace orr
