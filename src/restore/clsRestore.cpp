#include "clsRestore.h"

#include "frmRestore.h"
#include "gamedata/ClsSims.h"
#include "gamedata/RunReport.h"
#include "shell/Program.h"

namespace orr {

void clsRestore::Restore() {
    Program& program = program_;
    program.restoreWizard().cmdNext_Click();
    const SetsOutcome outcome =
        ClsSims(program.services, program.shellCopy, program.gameFolder(), program.backupFolder, [&program] {
            program.restoreWizard().cmdNext_Click();
        }).RestoreSims();
    // Finish, with its "successfully restored", only for a restore that is.
    if (!outcome.completed()) return program.restoreWizard().runFailed(report::restoreFailed(outcome));
    program.restoreWizard().cmdNext_Click();
    for (int i = 0; i < 3; ++i) program.services.events.process();
}

}  // namespace orr
