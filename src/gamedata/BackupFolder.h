// The checks of the folder a backup is to be written into, made before
// anything is written: the wizard's Step 2 and the command line word the
// verdict each in their own way.
#pragma once

#include "GameFolder.h"
#include "Retry.h"
#include "platform/services.h"

#include <string>

namespace orr {
namespace platform {
class Processes;
}

namespace backupfolder {

enum class Refusal {
    none,
    empty,       // nothing was given
    notFull,     // a relative path: it would depend on the current folder
    notAFolder,  // names nothing, or a file
    noGame,      // there is no game to back up
    insideGame,  // the game folder (or its VirtualStore folder), or inside it
    holdsGame,   // holds the game folder: a backup there could not be restored
    gameRuns,    // the game runs: a copy taken meanwhile may be half old, half new
};

struct Verdict {
    Refusal refusal = Refusal::none;
    // Accepted: the folder as the system resolves it ("." and ".." applied,
    // closing spaces, dots and separators dropped), the one written to.
    std::string folder;
    std::string game;  // insideGame, holdsGame: the game's folder concerned

    bool accepted() const { return refusal == Refusal::none; }
};

// The checks in order, the first failure deciding: not empty, a full path,
// an existing folder, a game found, then against each folder of every
// install found (game folders, VirtualStore folders, user-data homes),
// where they really are (a mapped drive or a link counts): not it nor
// inside it, and not holding it.
Verdict check(platform::Services& services, const std::string& text, const GameSearch& game);

// Everything a backup checks before it writes: check(), then whether the
// game of `search.found` runs (gameRuns). The wizard's Step 2 and the
// command line both make it, so neither can skip a check.
Verdict checkBeforeBackup(platform::Services& services, platform::Processes& processes, const std::string& text,
                          const GameSearch& search);

// The refusal as the backup wizard says it.
std::string message(const Verdict& verdict, const GameSearch& game, const Retry& retry = kWizardRetry);

}  // namespace backupfolder
}  // namespace orr
