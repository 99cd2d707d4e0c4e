#include "clsBackup.h"

#include "gamedata/Descriptor.h"
#include "platform/shell_copy.h"
#include "frmBackup.h"
#include "gamedata/ClsSims.h"
#include "gamedata/RunReport.h"
#include "shell/Program.h"

namespace orr {

void clsBackup::lockButtons() {
    frmBackup& wizard = program_.backupWizard();
    wizard.buttons.set(false, false, false, true);
}

// At step 3 the copy moves the wizard on twice from inside BackupSims. The
// folder is marked as a backup (manifest and descriptor, checked) only once
// every copy completed and before the wizard reaches Finish; otherwise the
// wizard says what failed and goes back to Step 2.
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
                        // What the copies just read is not read again.
                        std::vector<platform::CopyOutcome::FileDigest> known;
                        for (const auto& c : copies.copies)
                            known.insert(known.end(), c.outcome.digests.begin(), c.outcome.digests.end());
                        descriptorFailed = !descriptor::seal(program.services, program.shellCopy, folder, known);
                        if (!descriptorFailed) program.backupWizard().lblSummary.setCaption(report::summary(copies));
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
