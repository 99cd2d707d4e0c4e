// A fault-injection seam for the folder copy, in the manner of a table of
// replaceable system calls: the Nth call of a chosen file operation fails
// with a chosen outcome instead of running, and the free space a volume
// reports can be made smaller. Tests and the driver's `fault` line arm it;
// the program never does.
#pragma once

#include "copy_io.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace orr::platform {

// A no-replace move counts as a rename.
enum class FileOp { open, read, write, flush, rename, makeFolder, freeSpace, list, hardLink, count };

// "open", "read", ... as the driver spells them; nothing for an unknown word.
std::optional<FileOp> fileOpNamed(std::string_view word);

class FaultPlan {
public:
    // The `n`th call (from 1, counted from now) of `op` fails with `error`.
    void failNth(FileOp op, int n, Status error);
    // The `n`th write from now goes through with one of its bytes flipped,
    // as a failing medium or cable would have it.
    void corruptNthWrite(int n);
    // Every volume reports at most `bytes` free.
    void limitFreeSpace(std::uint64_t bytes) { freeLimit_ = bytes; }
    std::optional<std::uint64_t> freeLimit() const { return freeLimit_; }
    // Whether a fault waits to happen: then calls must come in a fixed
    // order, from one thread.
    bool armed() const { return !rules_.empty() || freeLimit_; }

    struct Fault {
        Status error;
        bool corrupt;  // a write that succeeds with a byte changed
    };
    // Counts one call of `op`; the fault it must meet, or nothing.
    std::optional<Fault> due(FileOp op);

private:
    struct Rule {
        FileOp op;
        int n;
        Fault fault;
    };
    std::vector<Rule> rules_;
    // Counted from any thread; rules are armed and met on one.
    std::array<std::atomic<int>, static_cast<std::size_t>(FileOp::count)> calls_{};
    std::optional<std::uint64_t> freeLimit_;
};

// `inner` with `plan`'s faults in front of it.
std::unique_ptr<CopyIo> faultyIo(std::unique_ptr<CopyIo> inner, FaultPlan& plan);

}  // namespace orr::platform
