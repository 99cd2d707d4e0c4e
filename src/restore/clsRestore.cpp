#include "clsRestore.h"

#include "frmRestore.h"
#include "gamedata/ClsSims.h"
#include "gamedata/RunReport.h"
#include "shell/Program.h"

namespace orr {

void clsRestore::Restore() {
    Program& program = program_;
    program.restoreWizard().cmdNext_Click();
    ClsSims sims(program.services, program.shellCopy, program.backupFolder,
                 [&program] { program.restoreWizard().cmdNext_Click(); });
    sims.leaveOut(program.restoreWizard().damagedFiles);
    const SetsOutcome outcome = sims.RestoreSims();
    // Finish, with its "successfully restored", only for a restore that is.
    if (!outcome.completed()) return program.restoreWizard().runFailed(report::restoreFailed(outcome));
    program.restoreWizard().lblSummary.setCaption(report::summary(outcome));
    program.restoreWizard().cmdNext_Click();
    for (int i = 0; i < 3; ++i) program.services.events.process();
}

}  // namespace orr
