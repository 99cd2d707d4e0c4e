// PLACEHOLDER: see frmRestore.h.
#include "frmRestore.h"

#include "shell/Program.h"

namespace orr {

frmRestore::frmRestore(Program& program) : ui::Form(program.gui, "frmRestore") {
    setTitleBar(false);
    setBorderStyle(ui::BorderStyle::fixedDialog);
    setClientSize(566, 306);
    FrameClose = [&program] { program.end(); };
}

}  // namespace orr
