// A backup or restore run as a value: it takes the game, the folders and
// the copier, tells a front end (a wizard, the command line) where it is,
// and returns what became of it. It shows nothing itself.
#pragma once

#include "ClsSims.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orr {

struct RunResult {
    // `refused`: nothing was written (no room, nothing to back up).
    enum class Kind { completed, failed, cancelled, refused };
    Kind kind = Kind::completed;
    SetsOutcome sets;  // what each copy did
    // A backup whose copies completed but which could not be marked (its
    // manifest or .BAK file could not be written).
    bool markFailed = false;
    // A temporary file of a failed write that could not be removed (the
    // user is told to delete it); "" when none was left.
    std::string leftover;
    // A restore: each undo folder that holds the files it replaced (one
    // per drive written to), how many, and whether it was marked as a
    // backup of its own.
    struct Kept {
        std::string folder;
        std::uint64_t files = 0;
        bool sealed = false;
        std::string leftover;  // as above, of its own marking
    };
    std::vector<Kept> keeps;

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
