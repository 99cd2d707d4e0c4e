// The display a long copy shows while it runs, and the system's own one.
#pragma once

#include "events.h"

#include <cstdint>
#include <memory>
#include <string>

namespace orr::platform {

// What a long copy shows while it runs (where the shell has no progress
// window of its own). advance() is called between files and lets pending
// events run; false from it cancels the copy. begin() starts every copy;
// the copies of one run begin with the run's totals and counts, and end()
// comes after the run's last copy (or a cancel), so the display shows one
// count for the run. Showing itself only once a run has gone on long is the
// display's part.
class CopyProgress {
public:
    virtual ~CopyProgress() = default;
    virtual void begin(const std::string& source, const std::string& destination,
                       std::uint64_t files, std::uint64_t bytes) = 0;
    virtual bool advance(const std::string& currentFile, std::uint64_t filesDone,
                         std::uint64_t bytesDone) = 0;
    virtual void end() = 0;
};

// The system's own progress display for long copies, where it has one
// (Windows: IProgressDialog, after about a second, with Cancel); nothing
// elsewhere. Its advance() lets `events` run.
std::unique_ptr<CopyProgress> makeSystemProgress(EventPump& events);

}  // namespace orr::platform
