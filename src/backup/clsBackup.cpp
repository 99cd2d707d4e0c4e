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
// wizard says what failed and goes back to Step 2. A Cancel while it runs
// stops it between files; the user is told what the folder holds, then the
// program ends.
void clsBackup::Backup() {
    platform::EventPump& events = program_.services.events;
    if (program_.backupStep == 3) {
        lockButtons();
        events.process();
        Program& program = program_;
        const std::string folder = program.backupFolder;
        const Program::Running running(program);
        bool descriptorFailed = false, sealed = false;
        ClsSims sims(program.services, program.shellCopy, program.gameFolder(), folder,
                     [&program] { program.backupWizard().cmdNext_Click(); },
                     [&](const SetsOutcome& copies) {
                         // A Cancel that came after the last copy still stops the marking.
                         if (!copies.completed() || program.stopFlag()) return false;
                         // What the copies just read is not read again.
                         std::vector<platform::CopyOutcome::FileDigest> known;
                         for (const auto& c : copies.copies)
                             known.insert(known.end(), c.outcome.digests.begin(), c.outcome.digests.end());
                         descriptorFailed = !descriptor::seal(program.services, program.shellCopy, folder, known);
                         sealed = !descriptorFailed;
                         if (sealed) {
                             std::string text = report::summary(copies);
                             if (const std::string note = report::skippedNote(copies); !note.empty())
                                 text.append(" ").append(note);
                             program.backupWizard().lblSummary.setCaption(text);
                         }
                         return sealed;
                     });
        sims.stopWhen(program.stopFlag());
        const SetsOutcome outcome = sims.BackupSims();
        const auto say = [&](const std::string& text) {
            program.services.messages.show(text, "Orrindale", platform::MsgButtons::ok,
                                           platform::MsgIcon::exclamation);
        };
        if (program.endAfterRun()) {
            say(sealed ? report::backupDoneBeforeCancel(folder) : report::backupCancelled(outcome, folder, true));
            program.end();
        }
        if (!sealed) {
            program.backupWizard().runFailed(
                report::backupFailed(outcome, folder, descriptorFailed, program.gameFolder().folder));
            return;
        }
        if (const std::string links = report::skippedLinks(outcome); !links.empty()) say(links);
    }
    for (int i = 0; i < 3; ++i) events.process();
    if (program_.backupStep == 4) lockButtons();
}

}  // namespace orr
