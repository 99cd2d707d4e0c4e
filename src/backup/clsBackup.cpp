#include "clsBackup.h"

#include "Descriptor.h"
#include "frmBackup.h"
#include "gamedata/ClsSims.h"
#include "gamedata/RunReport.h"
#include "shell/Program.h"

namespace orr {

void clsBackup::lockButtons() {
    frmBackup& wizard = program_.backupWizard();
    wizard.cmdBack.setEnabled(false);
    wizard.cmdCancel.setEnabled(true);
    wizard.cmdFinish.setEnabled(false);
    wizard.cmdNext.setEnabled(false);
}

// At step 3 the copy moves the wizard on twice from inside BackupSims. The
// descriptor is written, and checked, only once every copy completed and
// before the wizard reaches Finish; otherwise the wizard says what failed
// and goes back to Step 2, and the folder is not marked as a backup.
void clsBackup::Backup() {
    platform::EventPump& events = program_.services.events;
    if (program_.backupStep == 3) {
        lockButtons();
        events.process();
        Program& program = program_;
        const std::string folder = program.backupFolder;
        bool descriptorFailed = false;
        const SetsOutcome outcome =
            ClsSims(program.services, program.shellCopy, program.gameFolder(), folder,
                    [&program] { program.backupWizard().cmdNext_Click(); },
                    [&](const SetsOutcome& copies) {
                        if (!copies.completed()) return false;
                        descriptorFailed = !descriptor::write(program.services, program.backupWizard().text1.text());
                        return !descriptorFailed;
                    })
                .BackupSims();
        if (!outcome.completed() || descriptorFailed) {
            program.backupWizard().runFailed(report::backupFailed(outcome, folder, descriptorFailed));
            return;
        }
    }
    for (int i = 0; i < 3; ++i) events.process();
    if (program_.backupStep == 4) lockButtons();
}

}  // namespace orr
