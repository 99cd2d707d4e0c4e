// The backup descriptor: a profile file "Sims_yyyy.mm.dd.BAK" in the backup
// folder, section Backup, keys Version (= "Sims") and Backup_Location.
#pragma once

#include "platform/services.h"
#include "copy/folder_copier.h"

#include <string>
#include <utility>
#include <vector>

namespace orr::descriptor {

// folder + "\Sims_" + yyyy.mm.dd + ".BAK", joined as they are.
std::string fileName(const std::string& folder, const platform::DateTime& when);
// The manifest beside it: the same name ending in ".sha256".
std::string manifestName(const std::string& folder, const platform::DateTime& when);
// The manifest that vouches for the descriptor `path` of the backup in
// `folder`: the one there named like it, else (a renamed descriptor) the
// newest there; "" for none. The folder, not the descriptor's own: a
// descriptor moved elsewhere still names the backup it was written for.
std::string manifestFor(platform::FileSystem& files, const std::string& path, const std::string& folder);

// Keys a descriptor may carry besides Version and Backup_Location, in the
// order written: where the backed-up install kept what ("Edition",
// "Game_Folder", "User_Data_Folder"). Restores read none of them.
using Keys = std::vector<std::pair<std::string, std::string>>;

// Writes Version, then Backup_Location, then `more` into today's descriptor
// of `folder`; written when all read back as written.
platform::WholeWrite write(platform::Services& services, const std::string& folder, const Keys& more = {});
platform::WholeWrite write(platform::Services& services, const std::string& folder, const platform::DateTime& when,
                          const Keys& more = {});

// Marks `folder` as a backup: the manifest of its sets (`known`: digests
// already taken, not read again), then the descriptor, both named for
// the same day. Written when both were; the descriptor's leftover
// temporary, if any, is named.
platform::WholeWrite seal(platform::Services& services, platform::FolderCopier& copy, const std::string& folder,
                          const std::vector<platform::CopyOutcome::FileDigest>& known = {}, const Keys& more = {});

struct Verdict {
    bool accepted = false;
    std::string message;       // the text shown when refused
    bool clearPath = false;    // whether the path box is emptied
    std::string backupFolder;  // Backup_Location, when accepted
};

// The restore's checks of a chosen path, in order, the first failure
// deciding: not empty; exists; extension "bak" in any letter case;
// Version is exactly "Sims"; Backup_Location, read whole, names an existing
// folder that is neither inside one of the game's own sets nor holds a
// game folder, and that holds at least one set. `gameFolders`: the game's
// folder and its VirtualStore folder, where the game was found.
Verdict check(platform::Services& services, const std::string& path, const std::vector<std::string>& gameFolders);

}  // namespace orr::descriptor
