// What a backup holds, as the restore wizard lists it for the user to
// choose from: each neighbourhood (user-data folder) with its houses,
// characters and last save, Downloads with its file count, GameData and
// SkinsBuy. A whole user-data folder is the smallest unit offered: its
// Neighborhood.iff holds every Sim's identity and relationships, and the
// houses refer to Sims by id, so one house alone cannot be put back safely.
#pragma once

#include "platform/services.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orr {

struct BackupEntry {
    enum class Kind { neighbourhood, downloads, gameData, skinsBuy };
    Kind kind = Kind::neighbourhood;
    // The set's path below the backup folder, as restoredSets gives it:
    // "UserData2", "Downloads", "ExpansionShared\SkinsBuy".
    std::string set;
    // A neighbourhood's: Houses\House##.iff (two digits) and
    // Characters\User#####.iff (five digits), as the game names them.
    std::uint32_t houses = 0, characters = 0;
    // Downloads': every file below it.
    std::uint64_t files = 0;
    // The newest write of a file below the set; nothing when it holds none.
    std::optional<platform::DateTime> saved;
};

// The sets of the backup in `backupFolder` that a restore copies, in the
// restore's order (restoredSets).
std::vector<BackupEntry> backupContents(platform::FileSystem& files, const std::string& backupFolder);

// "UserData2: 9 houses, 23 characters, saved 30.11.2026", "Downloads: 12
// files", "GameData", "SkinsBuy": the date in the user's short date format.
// `brief`, for a list in two columns: "UserData2: 9 houses, 23 Sims".
std::string entryCaption(const BackupEntry& entry, platform::Locale& locale, bool brief = false);

}  // namespace orr
