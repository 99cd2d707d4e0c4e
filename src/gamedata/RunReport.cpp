#include "RunReport.h"

#include "copy/folder_copier.h"
#include "platform/windows_path.h"
#include "BackupFolder.h"
#include "CopyWords.h"

namespace orr::report {
namespace {

constexpr std::size_t kListed = 10;

std::string nextSteps(const SetsOutcome& outcome) {
    bool full = outcome.room.has_value(), used = false;
    for (const auto& c : outcome.copies) {
        full |= c.outcome.refusal.kind == platform::CopyRefusal::Kind::roomShort;
        for (const auto& f : c.outcome.failures) {
            full |= f.reason == platform::CopyReason::diskFull;
            used |= f.reason == platform::CopyReason::inUse;
        }
    }
    // A folder that could not be made points at that folder; in use at
    // the game first; a full drive at the space.
    if (!outcome.interrupted.empty() && !used && !full)
        return "Make sure that folder can be made (a file of the same name may stand in its place)";
    std::string text = used || !full ? "Close The Sims if it is running" : "";
    if (full) text += text.empty() ? "Free some space on the drive" : ", free some space on the drive";
    return text;
}

std::string grouped(std::uint64_t n) {
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

std::string filesText(std::uint64_t n) { return grouped(n) + (n == 1 ? " file" : " files"); }

std::uint64_t filesCopied(const SetsOutcome& outcome) {
    std::uint64_t files = 0;
    for (const auto& c : outcome.copies) files += c.outcome.files;
    return files;
}

// "E:\ has 2.0 MB free; this backup needs 156 MB." for the whole run.
std::string roomText(const platform::RoomShort& room, const char* run) {
    return room.volumeText + " has " + sizeText(room.free) + " free; this " + run + " needs " +
           sizeText(room.need) + ".";
}

// A list of at most ten lines, then a count of the rest.
std::string listed(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < kListed; ++i) text += lines[i] + "\r\n";
    if (lines.size() > kListed) text += "... and " + std::to_string(lines.size() - kListed) + " more.\r\n";
    return text;
}

// Each set of a restore by what became of it: restored whole, partly (some
// of its files), or not at all; one line each kind, "" for none.
std::string restoreState(const SetsOutcome& outcome) {
    std::string whole, partly, none;
    const auto add = [](std::string& list, const std::string& name) { list += (list.empty() ? "" : ", ") + name; };
    for (const auto& c : outcome.copies) {
        const std::string name = platform::lastLevel(c.source);
        if (c.outcome.completed()) add(whole, name);
        else if (c.outcome.files > 0) add(partly, name + " (" + filesText(c.outcome.files) + ")");
        else add(none, name);
    }
    for (const std::string& source : outcome.notCopied) add(none, platform::lastLevel(source));
    std::string text;
    if (!whole.empty()) text += "Restored: " + whole + ".\r\n";
    if (!partly.empty()) text += "Partly restored: " + partly + ".\r\n";
    if (!none.empty()) text += "Not restored: " + none + ".\r\n";
    return text;
}

}  // namespace

std::string problems(const SetsOutcome& outcome) {
    std::string text;
    std::size_t failures = 0;
    for (const auto& c : outcome.copies) {
        // One room check fails alike for every set: said once.
        const std::string refusal = refusalText(c.outcome.refusal) + "\r\n";
        if (c.outcome.refusal && text.find(refusal) == std::string::npos) text += refusal;
        if (c.outcome.result == platform::CopyOutcome::Result::cancelled)
            text += "The copy of " + c.source + " was cancelled.\r\n";
        for (const auto& f : c.outcome.failures) {
            if (failures++ < kListed) text += f.path + ": " + reasonText(f.reason) + "\r\n";
        }
    }
    if (failures > kListed) text += "... and " + std::to_string(failures - kListed) + " more files.\r\n";
    for (const auto& c : outcome.copies)
        for (const auto& s : c.outcome.stranded)
            text += s.path + ": the game's own file could not be put back; it is kept in " + s.keptAs + ".\r\n";
    if (!outcome.interrupted.empty()) text += outcome.interrupted + "\r\n";
    return text;
}

// The notes are short: the Finish panel has four lines for the summary and
// them, and the keep folder's path takes one.
std::string keptNote(std::uint64_t kept, const std::string& folder, bool sealed, const std::string& leftover) {
    const std::string files =
        std::to_string(kept) + (kept == 1 ? " replaced file was kept in " : " replaced files were kept in ") + folder;
    if (!sealed)
        return files + ", but that folder could not be marked as a backup; to undo, copy them back by hand" +
               (leftover.empty() ? "" : " and delete " + platform::lastLevel(leftover) + " there") + ".";
    return files + ". To undo, restore from the .BAK file there.";
}

std::string keptNotes(const std::vector<RunResult::Kept>& keeps) {
    std::string text;
    for (const RunResult::Kept& k : keeps) {
        if (k.files == 0) continue;
        if (!text.empty()) text += ' ';
        text += keptNote(k.files, k.folder, k.sealed, k.leftover);
    }
    return text;
}

std::string leftOutNote(std::size_t leftOut) {
    return std::to_string(leftOut) + (leftOut == 1 ? " missing or damaged file was not restored."
                                                   : " missing or damaged files were not restored.");
}

std::string notChosenNote(const std::vector<std::string>& sets) {
    std::string names;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        if (i > 0) names += i + 1 == sets.size() ? " and " : ", ";
        names += platform::lastLevel(sets[i]);
    }
    return names + (sets.size() == 1 ? " was left as it was" : " were left as they were") + ", as you chose.";
}

std::string leftOutList(const std::vector<std::string>& files, const std::string& backupFolder) {
    std::vector<std::string> names;
    for (const std::string& f : files)
        names.push_back(f.size() > backupFolder.size() && f.compare(0, backupFolder.size(), backupFolder) == 0
                            ? f.substr(backupFolder.size() + 1)
                            : f);
    return "The restore is partial: these files of the backup are missing or damaged, so they were not "
           "restored:\r\n\r\n" +
           listed(names) +
           "\r\nEverything else was restored and verified. Where the game had its own copy of a file left out, "
           "that copy was left as it was.";
}

std::string summary(const SetsOutcome& outcome) {
    std::uint64_t files = 0, bytes = 0, unchanged = 0;
    for (const auto& c : outcome.copies) {
        files += c.outcome.files;
        bytes += c.outcome.bytes;
        unchanged += c.outcome.unchanged;
    }
    std::string text = grouped(files) + (files == 1 ? " file (" : " files (") + sizeText(bytes) +
                       ") copied and verified";
    if (unchanged > 0)
        text += "; " + grouped(unchanged) + (unchanged == 1 ? " unchanged file skipped" : " unchanged files skipped");
    return text + ".";
}

// Files that cannot be checked are restored on Yes, missing or damaged
// ones are not: the question says which.
std::string damagedQuestion(const platform::VerifyOutcome& outcome) {
    std::size_t unchecked = 0;
    for (const auto& d : outcome.damaged) unchecked += d.problem == platform::VerifyOutcome::Problem::unchecked;
    const bool damaged = unchecked < outcome.damaged.size();
    std::string text = unchecked == 0 ? "Some files of this backup are missing or damaged:\r\n\r\n"
                       : damaged      ? "Some files of this backup are missing or damaged, or cannot be checked:\r\n\r\n"
                                      : "Some files of this backup cannot be checked:\r\n\r\n";
    for (std::size_t i = 0; i < outcome.damaged.size() && i < kListed; ++i)
        text += outcome.damaged[i].path + ": " + problemText(outcome.damaged[i].problem) + "\r\n";
    if (outcome.damaged.size() > kListed)
        text += "... and " + std::to_string(outcome.damaged.size() - kListed) + " more files.\r\n";
    text += "\r\n" + std::to_string(outcome.ok) + " files are as they were saved. ";
    if (unchecked == 0) return text + "Restore the other files?";
    if (!damaged) return text + "Restore all the files, those that cannot be checked too?";
    return text + "Restore them and the files that cannot be checked? The missing or damaged files are not restored.";
}

std::string backupFailed(const SetsOutcome& outcome, const std::string& folder, bool descriptorFailed,
                         const std::string& game, const std::string& leftover, const Retry& retry) {
    const std::string tryAgain = "then " + std::string(retry.tryAgain) + ".";
    if (!outcome.intoGame.empty())
        return backupfolder::message({backupfolder::Refusal::insideGame, {}, outcome.intoGame}, {}) +
               "\r\n\r\nNothing was written.";
    if (outcome.nothingFound)
        return "No customizations were found in " + game +
               ": its user-data folders, Downloads, GameData and ExpansionShared hold no files.\r\n\r\n"
               "Nothing was written, and nothing was marked as a backup.";
    if (outcome.room)
        return roomText(*outcome.room, "backup") +
               "\r\n\r\nNothing was written. Free some space on the drive or choose another folder, " + tryAgain;
    if (outcome.cancelled()) return backupCancelled(outcome, folder, false);
    if (descriptorFailed)
        return "The backup could not be marked as complete: its .BAK file could not be written in " + folder +
               ".\r\n\r\nThe folder " + folder +
               " holds a copy that has not been marked as a backup." +
               (leftover.empty() ? "" : " Orrindale could not remove its temporary file " + leftover +
                                            "; you can delete it.") +
               "\r\n\r\nFree some space on the drive or choose another folder, " + tryAgain;
    return "The backup did not complete.\r\n\r\n" + problems(outcome) + "\r\nThe folder " + folder +
           " holds an incomplete copy; it has not been marked as a backup.\r\n\r\n" + nextSteps(outcome) +
           " or choose another folder, " + tryAgain;
}

std::string restoreFailed(const SetsOutcome& outcome) {
    if (outcome.room)
        return roomText(*outcome.room, "restore") +
               "\r\n\r\nNothing was written. Free some space on the drive, then click Next to try again.";
    return "The restore did not complete.\r\n\r\n" + problems(outcome) + "\r\n" + restoreState(outcome) +
           "\r\nNothing was deleted. " + nextSteps(outcome) + ", then click Next to try again.";
}

std::string backupCancelled(const SetsOutcome& outcome, const std::string& folder, bool closing) {
    return "The backup was cancelled. " + filesText(filesCopied(outcome)) + " had been copied into " + folder +
           ", but that folder has not been marked as a backup, so it cannot be restored as one.\r\n\r\n" +
           (closing ? "Orrindale will now close. Run the backup again to make a complete one."
                    : "Click Next to start the backup again, or Cancel to quit.");
}

std::string backupDoneBeforeCancel(const std::string& folder) {
    return "The backup had already finished before it could be cancelled: " + folder +
           " holds a complete backup.\r\n\r\nOrrindale will now close.";
}

std::string restoreCancelled(const SetsOutcome& outcome, const std::string& keptNote) {
    std::string text = filesCopied(outcome) == 0
                           ? "The restore was cancelled before it changed any file of the game.\r\n\r\n"
                           : "The restore was cancelled. The game is partly restored:\r\n\r\n" +
                                 restoreState(outcome) + "\r\n";
    if (!keptNote.empty()) text += keptNote + "\r\n\r\n";
    return text + "Orrindale will now close. Run the restore again to restore the rest.";
}

std::string skippedLinks(const SetsOutcome& outcome) {
    std::vector<std::string> links;
    for (const auto& c : outcome.copies)
        for (const std::string& link : c.outcome.skipped) links.push_back(link);
    if (links.empty()) return {};
    return "These folders were not copied: each is a link to another folder, which Orrindale does not follow "
           "(it could lead back into the copy itself):\r\n\r\n" +
           listed(links) + "\r\nCopy what they hold by hand if you need it.";
}

std::string skippedNote(const SetsOutcome& outcome) {
    std::size_t links = 0;
    for (const auto& c : outcome.copies) links += c.outcome.skipped.size();
    if (links == 0) return {};
    return links == 1 ? "1 linked folder was not copied." : std::to_string(links) + " linked folders were not copied.";
}

}  // namespace orr::report
