// The progress window of a folder copy where the shell has none of its own:
// "Copying...", the file being copied, from where to where, a bar and a
// count, and Cancel. It appears only once a copy has run for a while, so
// short copies show nothing; while it is up, every file lets pending
// events run, so the program's other windows stay alive.
#pragma once

#include "Controls.h"
#include "Form.h"
#include "platform/progress_dialog.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace orr::ui {

class CopyProgressForm : public Form, public platform::CopyProgress {
public:
    using Clock = std::chrono::steady_clock;

    // `showAfter`: how long a copy runs before the window appears.
    explicit CopyProgressForm(Gui& gui, Clock::duration showAfter = std::chrono::milliseconds(500));

    void begin(const std::string& source, const std::string& destination, std::uint64_t files,
               std::uint64_t bytes) override;
    // Shows the window once the copy has run long enough, brings it up to
    // date, lets pending events run; false once Cancel was chosen.
    bool advance(const std::string& currentFile, std::uint64_t filesDone,
                 std::uint64_t bytesDone) override;
    void end() override;

    bool cancelled() const { return cancelled_; }

    Label lblFile;
    Label lblFromTo;
    PictureBox picTrack;
    Shape shpBar;
    Label lblCount;
    CommandButton cmdCancel;

    void cmdCancel_Click() { cancelled_ = true; }

private:
    Clock::duration showAfter_;
    Clock::time_point started_{};
    std::uint64_t files_ = 0;
    std::uint64_t bytes_ = 0;
    bool cancelled_ = false;
};

}  // namespace orr::ui
