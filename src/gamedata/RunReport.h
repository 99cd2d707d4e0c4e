// What a backup or restore run that did not complete tells the user: what
// failed (the first ten files, then a count, each with a plain reason),
// what state the files are in, and what to do next.
#pragma once

#include "ClsSims.h"
#include "Retry.h"
#include "RunFront.h"

#include <string>

namespace orr::report {

// Another copy of the program runs a backup or restore (the weekly backup,
// started by the Task Scheduler, while the wizard is open): refused before
// anything is written.
inline std::string anotherRunText(const Retry& retry = kWizardRetry) {
    return "Another Orrindale backup or restore is running, perhaps the weekly backup. Nothing was written. "
           "Wait until it has finished, then " + std::string(retry.again) + ".";
}

// The refusals and failed files of a run, one a line.
std::string problems(const SetsOutcome& outcome);

// `descriptorFailed`: every copy completed but the descriptor could not be
// written (`leftover`: its temporary, when that could not be removed).
// `game`: the folder the sets were looked for in.
std::string backupFailed(const SetsOutcome& outcome, const std::string& folder, bool descriptorFailed,
                         const std::string& game, const std::string& leftover = {},
                         const Retry& retry = kWizardRetry);
std::string restoreFailed(const SetsOutcome& outcome);

// A run the user stopped: what state its files are in. `closing`: the
// program ends next (the wizard's Cancel), else the wizard goes back.
std::string backupCancelled(const SetsOutcome& outcome, const std::string& folder, bool closing);
// `keptNote`: where the replaced files were kept ("" when none were).
std::string restoreCancelled(const SetsOutcome& outcome, const std::string& keptNote);
// The backup was complete and marked before a Cancel could stop it.
std::string backupDoneBeforeCancel(const std::string& folder);

// The folder links a run did not enter, one a line (the first ten, then a
// count), or "" when there were none; and the same as one short sentence
// for the Finish panel.
std::string skippedLinks(const SetsOutcome& outcome);
std::string skippedNote(const SetsOutcome& outcome);

// Where the files a restore replaced were kept, and how to undo it;
// `sealed`: the keep folder was marked as a backup of its own (else
// `leftover`: the temporary its marking left there, if any).
std::string keptNote(std::uint64_t kept, const std::string& folder, bool sealed, const std::string& leftover = {});
// The same for every undo folder of a run, "" when nothing was kept.
std::string keptNotes(const std::vector<RunResult::Kept>& keeps);

// What a restore that the user let go on past a damaged backup left out:
// a short note for the Finish panel, and the files by name (below the
// backup folder; the first ten, then a count).
std::string leftOutNote(std::size_t leftOut);
// The sets the user chose not to restore (paths below the backup folder),
// for the Finish panel: "UserData2 and Downloads were left as they were, as
// you chose."
std::string notChosenNote(const std::vector<std::string>& sets);
std::string leftOutList(const std::vector<std::string>& files, const std::string& backupFolder);

// "9,048 files (296 MB) copied and verified; 120 unchanged files skipped."
std::string summary(const SetsOutcome& outcome);

// What a check of the backup against its manifest found damaged, and the
// question whether to restore the rest.
std::string damagedQuestion(const platform::VerifyOutcome& outcome);

}  // namespace orr::report
