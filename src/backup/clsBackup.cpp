#include "clsBackup.h"

#include "Descriptor.h"
#include "frmBackup.h"
#include "gamedata/ClsSims.h"
#include "shell/Program.h"

namespace orr {

void clsBackup::lockButtons() {
    frmBackup& wizard = program_.backupWizard();
    wizard.cmdBack.setEnabled(false);
    wizard.cmdCancel.setEnabled(true);
    wizard.cmdFinish.setEnabled(false);
    wizard.cmdNext.setEnabled(false);
}

// At step 3 the copy moves the wizard on twice from inside BackupSims, so
// when it returns the step is 5 and the test for 5 below holds as well:
// the descriptor is written a second time, with the same values.
void clsBackup::Backup() {
    platform::EventPump& events = program_.services.events;
    if (program_.backupStep == 3) {
        lockButtons();
        events.process();
        Program& program = program_;
        ClsSims(program.services, program.shellCopy, program.backupFolder,
                [&program] { program.backupWizard().cmdNext_Click(); })
            .BackupSims();
    }
    for (int i = 0; i < 3; ++i) events.process();
    if (program_.backupStep == 4) lockButtons();
    if (program_.backupStep == 5) descriptor::write(program_.services, program_.backupWizard().text1.text());
}

}  // namespace orr
