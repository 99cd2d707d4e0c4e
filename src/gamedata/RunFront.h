// A backup or restore run as a value: it takes the game, the folders and
// the copier, tells a front end (a wizard, the command line) where it is,
// and returns what became of it. It shows nothing itself.
#pragma once

#include "ClsSims.h"

#include <cstdint>
#include <string>

namespace orr {

struct RunResult {
    // `refused`: nothing was written (no room, nothing to back up).
    enum class Kind { completed, failed, cancelled, refused };
    Kind kind = Kind::completed;
    SetsOutcome sets;  // what each copy did
    // A backup whose copies completed but which could not be marked (its
    // manifest or .BAK file could not be written).
    bool markFailed = false;
    // A restore: where the game files it replaced were kept (a backup of
    // its own when `keepSealed`), and how many.
    std::string keepFolder;
    std::uint64_t kept = 0;
    bool keepSealed = false;

    bool completed() const { return kind == Kind::completed; }
};

class RunFront {
public:
    virtual ~RunFront() = default;
    // The run passed a point where a wizard moves one step on.
    virtual void stepOn() = 0;
    // A run that completed, just before its last stepOn(): what it did.
    virtual void completing(const RunResult& result) = 0;
};

}  // namespace orr
