#include "clsRestore.h"

#include "frmRestore.h"
#include "gamedata/Descriptor.h"
#include "platform/shell_copy.h"
#include "gamedata/ClsSims.h"
#include "gamedata/RunReport.h"
#include "shell/Program.h"

#include <cstdio>

namespace orr {

namespace {

// "C:\...\The Sims\Orrindale Undo\2026.12.07 15.30.00", made unique: a
// second restore within the same second keeps its files apart.
std::string keepFolderFor(platform::Services& services, const std::string& game) {
    const platform::DateTime t = services.clock.now();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d.%02d.%02d %02d.%02d.%02d", t.year % 10000, t.month % 100, t.day % 100,
                  t.hour % 100, t.minute % 100, t.second % 100);
    const std::string base = game + "\\Orrindale Undo\\" + stamp;
    std::string folder = base;
    for (int n = 2; services.files.exists(folder); ++n) folder = base + " (" + std::to_string(n) + ")";
    return folder;
}

// Removes `folder` and the folders below it when they hold no file: the
// levels a keep made for a file that then was not replaced.
bool removeIfEmpty(platform::FileSystem& files, const std::string& folder) {
    bool empty = true;
    for (const auto& e : files.list(folder + "\\*.*")) {
        if (!(e.attributes & platform::attr::directory) || !removeIfEmpty(files, folder + "\\" + e.name)) empty = false;
    }
    return empty && files.removeDirectory(folder) == platform::Status::ok;
}

// Whether a file lies anywhere below `folder`.
bool holdsAFile(platform::FileSystem& files, const std::string& folder) {
    for (const auto& e : files.list(folder + "\\*.*"))
        if (!(e.attributes & platform::attr::directory) || holdsAFile(files, folder + "\\" + e.name)) return true;
    return false;
}

// Marks the keep folder as a backup of its own on every way out of the
// run, also when the program ends from inside a copy: the files it holds
// are the only copy of what the game had.
class KeepSeal {
public:
    KeepSeal(Program& program, std::string folder) : program_(program), folder_(std::move(folder)) {}
    ~KeepSeal() {
        if (done_ || !holdsAFile(program_.services.files, folder_)) return;
        try {
            descriptor::seal(program_.services, program_.shellCopy, folder_);
        } catch (...) {
            // Unwinding already: the folder stays, only unmarked.
        }
    }
    KeepSeal(const KeepSeal&) = delete;
    KeepSeal& operator=(const KeepSeal&) = delete;
    // Seals now when anything was kept, or clears the empty levels made for
    // it; true when the folder is marked.
    bool seal(std::uint64_t kept) {
        done_ = true;
        if (kept > 0 || holdsAFile(program_.services.files, folder_))
            return descriptor::seal(program_.services, program_.shellCopy, folder_);
        if (program_.services.files.exists(folder_)) {
            removeIfEmpty(program_.services.files, folder_);
            removeIfEmpty(program_.services.files, folder_.substr(0, folder_.find_last_of('\\')));
        }
        return false;
    }

private:
    Program& program_;
    std::string folder_;
    bool done_ = false;
};

}  // namespace

void clsRestore::Restore() {
    Program& program = program_;
    program.restoreWizard().cmdNext_Click();
    const Program::Running running(program);
    ClsSims sims(program.services, program.shellCopy, program.gameFolder(), program.backupFolder,
                 [&program] { program.restoreWizard().cmdNext_Click(); });
    const std::string keep = keepFolderFor(program.services, sims.restoreDestination());
    sims.leaveOut(program.restoreWizard().damagedFiles);
    sims.keepReplacedIn(keep);
    sims.stopWhen(program.stopFlag());
    KeepSeal keepSeal(program, keep);
    const SetsOutcome outcome = sims.RestoreSims();
    std::uint64_t kept = 0;
    for (const auto& c : outcome.copies) kept += c.outcome.kept;
    const bool sealed = keepSeal.seal(kept);
    const std::string keptNote = kept == 0 ? std::string() : report::keptNote(kept, keep, sealed);
    const auto say = [&](const std::string& text) {
        program.services.messages.show(text, "Orrindale", platform::MsgButtons::ok, platform::MsgIcon::exclamation);
    };
    if (program.endAfterRun() && !outcome.completed()) {
        say(report::restoreCancelled(outcome, keptNote));
        program.end();
    }
    // Finish, with its "successfully restored", only for a restore that is.
    if (!outcome.completed())
        return program.restoreWizard().runFailed(report::restoreFailed(outcome) +
                                                 (keptNote.empty() ? "" : "\r\n\r\n" + keptNote));
    frmRestore& wizard = program.restoreWizard();
    std::string summary = report::summary(outcome);
    // Deliberate: never "successfully restored" when a file was left out.
    if (const std::size_t leftOut = wizard.damagedFiles.size()) {
        summary.append(" ").append(report::leftOutNote(leftOut));
        say(report::leftOutList(wizard.damagedFiles, program.backupFolder));
        wizard.lblRestored.setCaption("Sims customizations have been partly restored: some files were left out.");
    }
    if (const std::string note = report::skippedNote(outcome); !note.empty()) summary.append(" ").append(note);
    if (!keptNote.empty()) summary.append(" ").append(keptNote);
    program.restoreWizard().lblSummary.setCaption(summary);
    if (const std::string links = report::skippedLinks(outcome); !links.empty()) say(links);
    program.restoreWizard().cmdNext_Click();
    for (int i = 0; i < 3; ++i) program.services.events.process();
    // A Cancel that came too late to stop anything: the restore is whole.
    if (program.endAfterRun()) program.end();
}

}  // namespace orr
