#include "clsRestore.h"

#include "RestoreRun.h"
#include "frmRestore.h"
#include "gamedata/Descriptor.h"
#include "gamedata/RunReport.h"
#include "shell/Program.h"

namespace orr {

namespace {

// The restore wizard as the run's front end: its steps move with the run,
// and before Finish it shows what the run did.
class WizardFront final : public RunFront {
public:
    explicit WizardFront(Program& program) : program_(program) {}
    void stepOn() override { program_.restoreWizard().cmdNext_Click(); }
    void completing(const RunResult& result) override {
        frmRestore& wizard = program_.restoreWizard();
        std::string summary = report::summary(result.sets);
        // Deliberate: never "successfully restored" when a file was left out.
        if (const std::size_t leftOut = wizard.damagedFiles.size()) {
            summary.append(" ").append(report::leftOutNote(leftOut));
            say(report::leftOutList(wizard.damagedFiles, program_.backupFolder));
            wizard.lblRestored.setCaption("Sims customizations have been partly restored: some files were left out.");
        }
        if (const std::string note = report::skippedNote(result.sets); !note.empty()) summary.append(" ").append(note);
        if (const auto sets = wizard.leftOutSets(); !sets.empty()) summary.append(" ").append(report::notChosenNote(sets));
        if (const std::string kept = report::keptNotes(result.keeps); !kept.empty()) summary.append(" ").append(kept);
        wizard.lblSummary.setCaption(summary);
        if (const std::string links = report::skippedLinks(result.sets); !links.empty()) say(links);
        // One click undoes a restore whose replaced files sit in one marked
        // folder; two (the game's drive and Saved Games) are named instead.
        if (result.keeps.size() == 1 && result.keeps[0].sealed)
            wizard.offerUndo(descriptor::fileName(result.keeps[0].folder, program_.services.clock.now()));
    }
    void say(const std::string& text) {
        program_.services.messages.show(text, "Orrindale", platform::MsgButtons::ok, platform::MsgIcon::exclamation);
    }

private:
    Program& program_;
};

}  // namespace

void clsRestore::Restore() {
    Program& program = program_;
    const Program::Running running(program);
    WizardFront front(program);
    const RunResult result = runRestore(program.services, program.folderCopier, program.gameFolder(),
                                        program.backupFolder, program.restoreWizard().damagedFiles,
                                        program.restoreWizard().leftOutSets(),
                                        program.restoreWizard().checkedFiles, front, &program.stopFlag());
    const std::string keptNote = report::keptNotes(result.keeps);
    if (program.endAfterRun() && !result.completed()) {
        front.say(report::restoreCancelled(result.sets, keptNote));
        program.end();
    }
    // Finish, with its "successfully restored", only for a restore that is.
    if (!result.completed())
        return program.restoreWizard().runFailed(report::restoreFailed(result.sets) +
                                                 (keptNote.empty() ? "" : "\r\n\r\n" + keptNote));
    for (int i = 0; i < 3; ++i) program.services.events.process();
    // A Cancel that came too late to stop anything: the restore is whole.
    if (program.endAfterRun()) program.end();
}

}  // namespace orr
