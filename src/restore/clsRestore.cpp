#include "clsRestore.h"

#include "frmRestore.h"
#include "gamedata/ClsSims.h"
#include "shell/Program.h"

namespace orr {

void clsRestore::Restore() {
    Program& program = program_;
    program.restoreWizard().cmdNext_Click();
    ClsSims(program.services, program.shellCopy, program.backupFolder, [&program] {
        program.restoreWizard().cmdNext_Click();
    }).RestoreSims();
    program.restoreWizard().cmdNext_Click();
    for (int i = 0; i < 3; ++i) program.services.events.process();
}

}  // namespace orr
