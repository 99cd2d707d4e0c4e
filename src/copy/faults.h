// A fault-injection seam for the folder copy, in the manner of a table of
// replaceable system calls: the Nth call of a chosen file operation fails
// with a chosen outcome instead of running, and the free space a volume
// reports can be made smaller. Tests and the driver's `fault` line arm it;
// the program never does.
//
// A fault may name the file it hits: then only the calls made for that
// file are counted, which stays the same whichever worker thread copies
// it and whenever. The calls made for a file are those on its own name
// (source, target or kept copy) and those on the temporary file it is
// written to: a temporary belongs to the file the same thread last opened
// for reading, which the copy always opens just before it writes one.
#pragma once

#include "platform/copy_io.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orr::platform {

enum class FileOp { open, read, write, flush, close, rename, hardLink, makeFolder, remove, freeSpace, list, sync };

// "open", "read", ... as the driver spells them ("link" for hardLink);
// nothing for an unknown word.
std::optional<FileOp> fileOpNamed(std::string_view word);

class FaultPlan {
public:
    // The `n`th call (from 1, counted from now) of `op` fails with `error`;
    // with a `file` name (its last level, any letter case), the `n`th call
    // made for that file.
    void failNth(FileOp op, int n, Status error, std::string_view file = {});
    // The `n`th write from now goes through with one of its bytes flipped,
    // as a failing medium or cable would have it.
    void corruptNthWrite(int n, std::string_view file = {});
    // The `n`th call of `op` made for `file` does not come back until
    // release(), as a read from a drive pulled out mid-copy may not.
    void hangNth(FileOp op, int n, std::string_view file);
    // Lets every hung call go on; they then fail with ioError.
    void release();
    // Calls hung now.
    int hung() const;
    // Every volume reports at most `bytes` free.
    void limitFreeSpace(std::uint64_t bytes) { freeLimit_ = bytes; }
    std::optional<std::uint64_t> freeLimit() const { return freeLimit_; }
    // Keeps the copies on the calling thread, as without worker threads.
    void keepOnOneThread() { oneThread_ = true; }
    // Whether calls must come from one thread: asked for, or a fault waits
    // whose count would depend on the order in which worker threads make
    // their calls (one that names no file, on an operation they call).
    bool needsOneThread() const;

    struct Fault {
        Status error;
        bool corrupt;  // a write that succeeds with a byte changed
        bool hang;     // wait(), then fail with `error`
    };
    // Counts one call of `op` made for `file` (a path's last level, or
    // empty when the call is for no file); the fault it must meet, or
    // nothing. Safe from any thread.
    std::optional<Fault> due(FileOp op, std::string_view file);
    // Blocks until release().
    void wait();

private:
    struct Rule {
        FileOp op;
        int n;
        std::string file;  // upper case; empty: any call
        Fault fault;
        int seen = 0;
    };
    void add(FileOp op, int n, std::string_view file, Fault fault);

    mutable std::mutex mutex_;
    std::condition_variable released_;
    bool release_ = false;
    int hung_ = 0;
    bool oneThread_ = false;
    std::vector<Rule> rules_;
    std::optional<std::uint64_t> freeLimit_;
};

// `inner` with `plan`'s faults in front of it.
std::unique_ptr<CopyIo> faultyIo(std::unique_ptr<CopyIo> inner, FaultPlan& plan);

}  // namespace orr::platform
