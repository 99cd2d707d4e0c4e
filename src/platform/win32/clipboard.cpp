// The clipboard holds Unicode text, converted from the program's UTF-8; the
// system offers it as ANSI text to those who ask for that.
#include "platform/clipboard.h"
#include "handles.h"

#include <windows.h>

#include <utility>

namespace orr::platform {
namespace {

// Another program may hold the clipboard for a moment: try a few times.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) {
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) Sleep(20);
        }
    }
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

using GlobalMemory = win32::Owned<HGLOBAL, GlobalFree>;

// Setting data needs an owner window; a message-only one serves.
using OwnerWindow = win32::Owned<HWND, DestroyWindow>;

HWND makeOwnerWindow() {
    return CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

class SystemClipboard final : public Clipboard {
public:
    void clear() override {
        OpenClipboardScope open(owner_.get());
        if (open) EmptyClipboard();
    }

    void setText(const std::string& text) override {
        int chars = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
        if (chars <= 0) return;
        GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(chars) * sizeof(wchar_t)));
        if (!memory.get()) return;
        auto* wide = static_cast<wchar_t*>(GlobalLock(memory.get()));
        if (!wide) return;
        MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide, chars);
        GlobalUnlock(memory.get());

        OpenClipboardScope open(owner_.get());
        if (!open) return;
        EmptyClipboard();
        // The clipboard owns the memory once it takes it.
        if (SetClipboardData(CF_UNICODETEXT, memory.get())) memory.release();
    }

    std::string text() override {
        OpenClipboardScope open(owner_.get());
        if (!open) return "";
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        if (!data) return "";
        const auto* wide = static_cast<const wchar_t*>(GlobalLock(data));
        if (!wide) return "";
        int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        std::string text(bytes > 0 ? static_cast<std::size_t>(bytes) : 1, '\0');
        if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), bytes, nullptr, nullptr);
        GlobalUnlock(data);
        text.resize(text.size() - 1);  // the closing zero
        return text;
    }

private:
    OwnerWindow owner_{makeOwnerWindow()};
};

}  // namespace

std::unique_ptr<Clipboard> makeClipboard() { return std::make_unique<SystemClipboard>(); }

}  // namespace orr::platform
