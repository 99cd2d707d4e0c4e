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
    wizard.cmdBack.setEnabled(false);
    wizard.cmdCancel.setEnabled(true);
    wizard.cmdFinish.setEnabled(false);
    wizard.cmdNext.setEnabled(false);
}

// At step 3 the copy moves the wizard on twice from inside BackupSims. The
// descriptor is written, and checked, only once every copy completed and
// before the wizard reaches Finish; otherwise the wizard says what failed
// and goes back to Step 2, and the folder is not marked as a backup.
// Every file under the backup's sets, those kept from an earlier backup
// too; what the copies just read is not read again.
bool clsBackup::writeManifest(const SetsOutcome& copies, const std::string& folder) {
    std::vector<std::string> sets;
    for (const std::string& set : ClsSims::gameSets(program_.services.files, folder))
        sets.push_back(platform::lastLevel(set));
    std::vector<platform::CopyOutcome::FileDigest> known;
    for (const auto& c : copies.copies) known.insert(known.end(), c.outcome.digests.begin(), c.outcome.digests.end());
    return program_.shellCopy.writeManifest(folder, sets, known,
                                            descriptor::manifestName(folder, program_.services.clock.now()));
}

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
                        // The manifest first: a backup marked by its
                        // descriptor always has one to be checked against.
                        descriptorFailed = !writeManifest(copies, folder) ||
                                           !descriptor::write(program.services, program.backupWizard().txtFolder.text());
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
