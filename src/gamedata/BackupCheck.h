// What a restore checks of a backup before it copies anything: its files
// against the backup's manifest, asking the user whether to go on when
// some are missing, damaged or cannot be checked.
#pragma once

#include "ClsSims.h"
#include "platform/services.h"
#include "copy/folder_copier.h"

#include <atomic>
#include <string>
#include <vector>

namespace orr::backupcheck {

struct Checked {
    bool restore = false;  // false: nothing is to be copied
    // Files to leave out of the copies (full paths below the backup folder).
    std::vector<std::string> leaveOut;
    // What the manifest lists, for failChangedFiles.
    std::vector<platform::CopyOutcome::FileDigest> listed;
};

// The folders a restore copies out of `backup`, those that exist, by their
// paths below it: its visible user-data folders, Downloads, GameData,
// ExpansionShared\SkinsBuy.
std::vector<std::string> restoredSets(platform::FileSystem& files, const std::string& backup);

// Checks the backup in `backup`, marked by the descriptor `descriptorPath`,
// against its manifest; every question goes through `services.messages`.
// A backup without a manifest, or with an empty one, is restored only on a
// Yes to a question that says its files cannot be checked. Files of the
// restored sets that the manifest does not list are named in the question
// and restored only on its Yes. `stop` as in CopyOptions: a check stopped
// restores nothing and asks nothing. `services.files` is this OS's own
// file-system service: the sets are listed as a copy lists them. The sets
// of `leftOutSets` (as restoredSets names them) are neither read nor named.
Checked beforeRestore(platform::Services& services, platform::FolderCopier& copy, const std::string& descriptorPath,
                      const std::string& backup, const std::atomic<bool>* stop = nullptr,
                      const std::vector<std::string>& leftOutSets = {});

// The files of `copied`, the copy of the folder `set` of a backup (its path
// below the backup folder: "UserData", "ExpansionShared\SkinsBuy"), whose
// bytes as the copy read them are not those `listed` gives: changed after
// the check. By their paths below the backup folder; files `listed` does
// not name are not compared.
std::vector<std::string> digestMismatches(const std::vector<platform::CopyOutcome::FileDigest>& listed,
                                          const platform::CopyOutcome& copied, std::string_view set);

// Makes each copy of `restored` (copies out of `backup`) a failed one for
// the files it read changed since the check (CopyReason::changed), so that
// the run says the restore did not complete.
void failChangedFiles(SetsOutcome& restored, const std::vector<platform::CopyOutcome::FileDigest>& listed,
                      const std::string& backup);

}  // namespace orr::backupcheck
