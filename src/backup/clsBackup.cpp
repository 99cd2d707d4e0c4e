#include "clsBackup.h"

#include "BackupRun.h"
#include "frmBackup.h"
#include "gamedata/RunReport.h"
#include "shell/Program.h"

namespace orr {

namespace {

// The backup wizard as the run's front end: its steps move with the run,
// and its Finish panel shows what the run did.
class WizardFront final : public RunFront {
public:
    explicit WizardFront(Program& program) : program_(program) {}
    void stepOn() override { program_.backupWizard().cmdNext_Click(); }
    void completing(const RunResult& result) override {
        std::string text = report::summary(result.sets);
        if (const std::string note = report::skippedNote(result.sets); !note.empty()) text.append(" ").append(note);
        program_.backupWizard().lblSummary.setCaption(text);
        program_.backupWizard().offerWeekly();
    }

private:
    Program& program_;
};

}  // namespace

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
        WizardFront front(program);
        const RunResult result =
            runBackup(program.services, program.folderCopier, program.gameFolder(), folder, front, &program.stopFlag());
        const auto say = [&](const std::string& text) {
            program.services.messages.show(text, "Orrindale", platform::MsgButtons::ok,
                                           platform::MsgIcon::exclamation);
        };
        if (program.endAfterRun()) {
            say(result.completed() ? report::backupDoneBeforeCancel(folder)
                                   : report::backupCancelled(result.sets, folder, true));
            program.end();
        }
        if (!result.completed()) {
            program.backupWizard().runFailed(
                report::backupFailed(result.sets, folder, result.markFailed, program.gameFolder().folder,
                                     result.leftover));
            return;
        }
        if (const std::string links = report::skippedLinks(result.sets); !links.empty()) say(links);
    }
    for (int i = 0; i < 3; ++i) events.process();
    if (program_.backupStep == 4) lockButtons();
}

}  // namespace orr
