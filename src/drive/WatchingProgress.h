// The progress display the driver puts in front of every copy: it tells
// the script how many files of a copy have settled, so that a `wait copied`
// runs its lines at a fixed point inside the copy, and otherwise lets the
// program's events run as a copy without a display does (as it starts, and
// about every 100 ms), or passes on to the system's display when one shows.
#pragma once

#include "platform/progress_dialog.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace orr::drive {

class WatchingProgress final : public platform::CopyProgress {
public:
    // `settled` is called with the copy's source and the files settled so
    // far; true when it ran script lines, whose queued input is then served.
    using Settled = std::function<bool(const std::string& source, std::uint64_t files)>;
    WatchingProgress(platform::CopyProgress* inner, platform::EventPump& events, Settled settled)
        : inner_(inner), events_(events), settled_(std::move(settled)) {}

    void begin(const std::string& source, const std::string& destination, std::uint64_t files,
               std::uint64_t bytes) override;
    bool advance(const std::string& currentFile, std::uint64_t filesDone, std::uint64_t bytesDone) override;
    void end() override;

private:
    platform::CopyProgress* inner_;
    platform::EventPump& events_;
    Settled settled_;
    std::string source_;
    std::chrono::steady_clock::time_point lastEvents_;
};

}  // namespace orr::drive
