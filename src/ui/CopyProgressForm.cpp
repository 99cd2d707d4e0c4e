#include "CopyProgressForm.h"
#include "platform/windows_path.h"

#include "Gui.h"

#include <algorithm>

namespace orr::ui {
namespace {

constexpr int kTrackWidth = 336;

using platform::lastLevel;

}  // namespace

CopyProgressForm::CopyProgressForm(Gui& gui, Clock::duration showAfter)
    : Form(gui, "frmCopyProgress"),
      lblFile(*this, "lblFile", {12, 12, 336, 17}),
      lblFromTo(*this, "lblFromTo", {12, 32, 336, 17}),
      picTrack(*this, "picTrack", {12, 58, kTrackWidth, 17}),
      shpBar(picTrack, "shpBar", {0, 0, 0, 15}),
      lblCount(*this, "lblCount", {12, 84, 240, 17}),
      cmdCancel(*this, "cmdCancel", {268, 108, 80, 25}),
      showAfter_(showAfter) {
    setCaption("Copying...");
    setBorderStyle(BorderStyle::fixedDialog);
    setStartPosition(StartPosition::centerScreen);
    // A restore copies while its wizard is shown modal.
    setShowsOverModal(true);
    setClientSize(360, 145);
    picTrack.setBackColor(color::windowBackground);
    shpBar.setFilled(true);
    shpBar.setFillColor(rgb(0, 0, 128));
    shpBar.setBorderColor(rgb(0, 0, 128));
    cmdCancel.setCaption("Cancel");
    setCancelButton(&cmdCancel);
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    // Closing the window is Cancel too.
    FrameClose = [this] { cmdCancel_Click(); };
}

void CopyProgressForm::begin(const std::string& source, const std::string& destination,
                             std::uint64_t files, std::uint64_t bytes) {
    started_ = Clock::now();
    files_ = files;
    bytes_ = bytes;
    cancelled_ = false;
    lblFile.setCaption("");
    lblFromTo.setCaption("From '" + lastLevel(source) + "' to '" + destination + "'");
    lblCount.setCaption("");
    shpBar.setBounds({0, 0, 0, 15});
}

bool CopyProgressForm::advance(const std::string& currentFile, std::uint64_t filesDone,
                               std::uint64_t bytesDone) {
    if (!visible() && Clock::now() - started_ >= showAfter_) show(Modality::modeless);
    if (visible()) {
        lblFile.setCaption(lastLevel(currentFile));
        lblCount.setCaption(std::to_string(filesDone) + " of " + std::to_string(files_) + " files");
        // By bytes, or by files for a copy of empty files.
        const double part = bytes_ > 0 ? static_cast<double>(bytesDone) / static_cast<double>(bytes_)
                            : files_ > 0 ? static_cast<double>(filesDone) / static_cast<double>(files_)
                                         : 1.0;
        const int width = static_cast<int>(std::clamp(part, 0.0, 1.0) * (kTrackWidth - 2));
        if (width != shpBar.bounds().width) shpBar.setBounds({0, 0, width, 15});
    }
    gui().events().process();
    return !cancelled_;
}

void CopyProgressForm::end() {
    if (visible()) hide();
}

}  // namespace orr::ui
