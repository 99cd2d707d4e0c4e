// Whether the game was played after a backup was made: a restore would
// then put back older neighbourhoods over newer ones. A neighbourhood
// (user-data folder) counts as played since the backup when the game holds
// a file written after the backup's copy of it, or a file the backup does
// not have.
#pragma once

#include "platform/services.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orr {

struct PlayedSince {
    std::string name;          // the user-data folder's own name
    std::uint64_t newer = 0;   // its files newer than the backup's or not in it
    platform::DateTime last;   // the newest of those
};

// The neighbourhoods of `backupFolder` whose counterparts in
// `userDataFolder` (where a restore puts them) were played since, in the
// backup's order.
std::vector<PlayedSince> playedSince(platform::FileSystem& files, const std::string& backupFolder,
                                     const std::string& userDataFolder);

// The day a backup was made: the one its descriptor's name gives
// ("Sims_2026.11.30.BAK"), else the descriptor's last write.
std::optional<platform::DateTime> backupDay(platform::FileSystem& files, const std::string& descriptorPath);

// The question asked before such a restore, No by default: each
// neighbourhood with its count and its last write, the backup's day
// (`made`), and that the newer files are kept for undo. Dates in the
// user's own format.
std::string newerPlayQuestion(const std::vector<PlayedSince>& played, const platform::DateTime& made,
                              platform::Locale& locale);

}  // namespace orr
