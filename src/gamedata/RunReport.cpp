#include "RunReport.h"

#include "platform/shell_copy.h"

namespace orr::report {
namespace {

constexpr std::size_t kListed = 10;

std::string nextSteps(const SetsOutcome& outcome) {
    bool full = false, used = false;
    for (const auto& c : outcome.copies) {
        full |= c.outcome.refusal.find(" free; ") != std::string::npos;
        for (const auto& f : c.outcome.failures) {
            full |= f.reason == platform::CopyReason::diskFull;
            used |= f.reason == platform::CopyReason::inUse;
        }
    }
    // In use points at the game first; a full drive at the space.
    std::string text = used || !full ? "Close The Sims if it is running" : "";
    if (full) text += text.empty() ? "Free some space on the drive" : ", free some space on the drive";
    return text;
}

// The sets whose copy did not complete, by their own names.
std::string setNames(const SetsOutcome& outcome) {
    std::string names;
    for (const auto& c : outcome.copies) {
        if (c.outcome.completed()) continue;
        names += (names.empty() ? "" : ", ") + platform::lastLevel(c.source);
    }
    return names;
}

}  // namespace

std::string problems(const SetsOutcome& outcome) {
    std::string text;
    std::size_t failures = 0;
    for (const auto& c : outcome.copies) {
        // One room check fails alike for every set: said once.
        const std::string refusal = c.outcome.refusal + "\r\n";
        if (!c.outcome.refusal.empty() && text.find(refusal) == std::string::npos) text += refusal;
        if (c.outcome.result == platform::CopyOutcome::Result::cancelled)
            text += "The copy of " + c.source + " was cancelled.\r\n";
        for (const auto& f : c.outcome.failures) {
            if (failures++ < kListed) text += f.path + ": " + platform::reasonText(f.reason) + "\r\n";
        }
    }
    if (failures > kListed) text += "... and " + std::to_string(failures - kListed) + " more files.\r\n";
    return text;
}

// The notes are short: the Finish panel has four lines for the summary and
// them, and the keep folder's path takes one.
std::string keptNote(std::uint64_t kept, const std::string& folder, bool sealed) {
    const std::string files =
        std::to_string(kept) + (kept == 1 ? " replaced file was kept in " : " replaced files were kept in ") + folder;
    if (!sealed) return files + ", but that folder could not be marked as a backup; to undo, copy them back by hand.";
    return files + ". To undo, restore from the .BAK file there.";
}

std::string leftOutNote(std::size_t leftOut) {
    return std::to_string(leftOut) + (leftOut == 1 ? " missing or damaged file was not restored."
                                                   : " missing or damaged files were not restored.");
}

std::string summary(const SetsOutcome& outcome) {
    const auto grouped = [](std::uint64_t n) {
        std::string digits = std::to_string(n);
        for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), 1, ',');
        return digits;
    };
    std::uint64_t files = 0, bytes = 0, unchanged = 0;
    for (const auto& c : outcome.copies) {
        files += c.outcome.files;
        bytes += c.outcome.bytes;
        unchanged += c.outcome.unchanged;
    }
    std::string text = grouped(files) + (files == 1 ? " file (" : " files (") + platform::sizeText(bytes) +
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
        text += outcome.damaged[i].path + ": " + platform::problemText(outcome.damaged[i].problem) + "\r\n";
    if (outcome.damaged.size() > kListed)
        text += "... and " + std::to_string(outcome.damaged.size() - kListed) + " more files.\r\n";
    text += "\r\n" + std::to_string(outcome.ok) + " files are as they were saved. ";
    if (unchecked == 0) return text + "Restore the other files?";
    if (!damaged) return text + "Restore all the files, those that cannot be checked too?";
    return text + "Restore them and the files that cannot be checked? The missing or damaged files are not restored.";
}

std::string backupFailed(const SetsOutcome& outcome, const std::string& folder, bool descriptorFailed) {
    if (descriptorFailed)
        return "The backup could not be marked as complete: its .BAK file could not be written in " + folder +
               ".\r\n\r\nThe folder " + folder +
               " holds a copy that has not been marked as a backup.\r\n\r\n"
               "Free some space on the drive or choose another folder, then click Next to try again.";
    return "The backup did not complete.\r\n\r\n" + problems(outcome) + "\r\nThe folder " + folder +
           " holds an incomplete copy; it has not been marked as a backup.\r\n\r\n" + nextSteps(outcome) +
           " or choose another folder, then click Next to try again.";
}

std::string restoreFailed(const SetsOutcome& outcome) {
    return "The restore did not complete.\r\n\r\n" + problems(outcome) +
           "\r\nNothing was deleted. These folders of the game may be partly restored: " + setNames(outcome) +
           ".\r\n\r\n" + nextSteps(outcome) + ", then click Next to try again.";
}

}  // namespace orr::report
