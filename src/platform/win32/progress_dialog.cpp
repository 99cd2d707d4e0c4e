// The system's own copy progress dialog (IProgressDialog): it comes up
// once a copy has run for about a second, shows the current file, the
// files and bytes done and the time left, and has a Cancel button. It
// runs on the shell's own thread, so it paints while the copy works; our
// windows get their events at every advance.
#include "platform/progress_dialog.h"
#include "platform/windows_path.h"

#include "platform/win32/owner_window.h"
#include "platform/win32/utf16.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <chrono>
#include <string>

namespace orr::platform {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kShowAfter = std::chrono::seconds(1);

using win32::wide;

// "9,048": thousands grouped as the user's locale groups them.
std::wstring grouped(std::uint64_t n) {
    const std::wstring digits = std::to_wstring(n);
    wchar_t out[64] = {};
    NUMBERFMTW format{};
    wchar_t decimal[8] = L".", thousand[8] = L",";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, thousand, 8);
    format.NumDigits = 0;
    format.Grouping = 3;
    format.lpDecimalSep = decimal;
    format.lpThousandSep = thousand;
    return GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, digits.c_str(), &format, out, 64) > 0 ? out : digits;
}

class SystemProgress final : public CopyProgress {
public:
    explicit SystemProgress(EventPump& events) : events_(events) {}
    ~SystemProgress() override { end(); }

    // A copy that goes on with the run shown (the same totals, the display
    // left up by the copy before) keeps the display, its timer and so its
    // time left; any other starts afresh.
    void begin(const std::string& source, const std::string& destination, std::uint64_t files,
               std::uint64_t bytes) override {
        from_ = wide("From '" + lastLevel(source) + "' to '" + destination + "'");
        if (dialog_ && files == files_ && bytes == bytes_) {
            dialog_->SetLine(1, from_.c_str(), FALSE, nullptr);
            return;
        }
        end();
        started_ = Clock::now();
        files_ = files;
        bytes_ = bytes;
    }

    bool advance(const std::string& currentFile, std::uint64_t filesDone, std::uint64_t bytesDone) override {
        if (!dialog_ && Clock::now() - started_ >= kShowAfter) show();
        // The shell shows its window a moment after it is made, inactive:
        // it is brought to the front once, as soon as it shows.
        if (window_ && !activated_ && IsWindowVisible(window_)) {
            activated_ = true;
            win32::centreOnOwner(window_);
            SetForegroundWindow(window_);
        }
        bool goOn = true;
        if (dialog_) {
            const std::wstring count = L"Copying " + grouped(filesDone) + L" of " + grouped(files_) + L" files";
            dialog_->SetLine(1, count.c_str(), FALSE, nullptr);
            dialog_->SetLine(2, wide(lastLevel(currentFile)).c_str(), TRUE, nullptr);
            dialog_->SetProgress64(bytes_ ? bytesDone : filesDone, bytes_ ? bytes_ : files_);
            goOn = !dialog_->HasUserCancelled();
        }
        events_.process();
        return goOn;
    }

    void end() override {
        if (!dialog_) return;
        dialog_->StopProgressDialog();
        dialog_->Release();
        dialog_ = nullptr;
        window_ = nullptr;
        activated_ = false;
    }

private:
    void show() {
        IProgressDialog* dialog = nullptr;
        if (FAILED(CoCreateInstance(CLSID_ProgressDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IProgressDialog,
                                    reinterpret_cast<void**>(&dialog))))
            return;  // no dialog: the copy goes on without one
        dialog->SetTitle(L"Orrindale");
        dialog->SetCancelMsg(L"Cancelling...", nullptr);
        dialog->SetLine(1, from_.c_str(), FALSE, nullptr);
        // Over the wizard that runs the copy, and active, so that its Cancel
        // is one click away; the shell makes it on its own thread without
        // activating it.
        if (FAILED(dialog->StartProgressDialog(win32::ownerWindow(), nullptr,
                                               PROGDLG_NORMAL | PROGDLG_AUTOTIME | PROGDLG_NOMINIMIZE, nullptr))) {
            dialog->Release();
            return;
        }
        dialog->Timer(PDTIMER_RESET, nullptr);
        dialog_ = dialog;
        IOleWindow* window = nullptr;
        if (SUCCEEDED(dialog->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
            if (FAILED(window->GetWindow(&window_))) window_ = nullptr;
            window->Release();
        }
    }

    EventPump& events_;
    IProgressDialog* dialog_ = nullptr;
    HWND window_ = nullptr;  // the dialog's own window, where the shell tells it
    bool activated_ = false;
    Clock::time_point started_;
    std::wstring from_;
    std::uint64_t files_ = 0, bytes_ = 0;
};

}  // namespace

std::unique_ptr<CopyProgress> makeSystemProgress(EventPump& events) {
    return std::make_unique<SystemProgress>(events);
}

}  // namespace orr::platform
