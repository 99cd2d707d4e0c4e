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

}  // namespace

void clsRestore::Restore() {
    Program& program = program_;
    program.restoreWizard().cmdNext_Click();
    ClsSims sims(program.services, program.shellCopy, program.gameFolder(), program.backupFolder,
                 [&program] { program.restoreWizard().cmdNext_Click(); });
    const std::string keep = keepFolderFor(program.services, sims.restoreDestination());
    sims.leaveOut(program.restoreWizard().damagedFiles);
    sims.keepReplacedIn(keep);
    const SetsOutcome outcome = sims.RestoreSims();
    std::uint64_t kept = 0;
    for (const auto& c : outcome.copies) kept += c.outcome.kept;
    const std::string keptNote = kept == 0 ? std::string() : report::keptNote(kept, keep, descriptor::seal(program.services, program.shellCopy, keep));
    if (kept == 0 && program.services.files.exists(keep)) {
        removeIfEmpty(program.services.files, keep);
        removeIfEmpty(program.services.files, keep.substr(0, keep.find_last_of('\\')));
    }
    // Finish, with its "successfully restored", only for a restore that is.
    if (!outcome.completed())
        return program.restoreWizard().runFailed(report::restoreFailed(outcome) +
                                                 (keptNote.empty() ? "" : "\r\n\r\n" + keptNote));
    std::string summary = report::summary(outcome);
    if (const std::size_t leftOut = program.restoreWizard().damagedFiles.size())
        summary.append(" ").append(report::leftOutNote(leftOut));
    if (!keptNote.empty()) summary.append(" ").append(keptNote);
    program.restoreWizard().lblSummary.setCaption(summary);
    program.restoreWizard().cmdNext_Click();
    for (int i = 0; i < 3; ++i) program.services.events.process();
}

}  // namespace orr
