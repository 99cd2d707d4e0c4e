// The claim is a named mutex in the session's own namespace (Local\): the
// first copy makes it, a later one finds it there. The first copy's window
// is found among the top-level windows of the other processes of this
// program's executable name, so that other programs' windows (the
// scenario driver's show the same window class) are never taken for it.
#include "platform/single_instance.h"

#include "platform/ascii.h"
#include "platform/windows_path.h"
#include "handles.h"
#include "process_list.h"
#include "utf16.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orr::platform {
namespace {

constexpr const wchar_t* kMutexName = L"Local\\Orrindale.OnlyCopy";

// Made or opened; `existed` says whether another copy had made it.
HANDLE openMutex(bool& existed) {
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    existed = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
    return mutex;
}

class MutexClaim final : public InstanceClaim {
public:
    MutexClaim() : mutex_(openMutex(existed_)) {}
    bool heldElsewhere() const { return existed_; }

private:
    bool existed_ = false;  // before mutex_: openMutex sets it
    win32::Owned<HANDLE, CloseHandle> mutex_;
};

std::string ownExecutableName() {
    std::wstring path(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(n);
    return lastLevel(win32::narrow(path));
}

// The other processes of this program's executable name.
std::vector<DWORD> otherCopies() {
    const std::string name = ownExecutableName();
    const DWORD self = GetCurrentProcessId();
    std::vector<DWORD> ids;
    win32::forEachProcess([&](const PROCESSENTRY32W& entry) {
        if (entry.th32ProcessID != self && ascii::equal(win32::narrow(entry.szExeFile), name))
            ids.push_back(entry.th32ProcessID);
    });
    return ids;
}

struct WindowSearch {
    std::vector<DWORD> owners;
    HWND enabled = nullptr;  // the first enabled one: a modal wizard over the menu
    HWND shown = nullptr;    // else the first shown one
};

BOOL CALLBACK considerWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    if (!IsWindowVisible(window)) return TRUE;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (std::find(search.owners.begin(), search.owners.end(), owner) == search.owners.end()) return TRUE;
    if (!search.shown) search.shown = window;
    if (IsWindowEnabled(window)) {
        search.enabled = window;
        return FALSE;
    }
    return TRUE;
}

// The other copy's window a user would work in: the top-level windows come
// front to back.
HWND frontWindowOfOtherCopy() {
    WindowSearch search{otherCopies()};
    if (search.owners.empty()) return nullptr;
    EnumWindows(considerWindow, reinterpret_cast<LPARAM>(&search));
    return search.enabled ? search.enabled : search.shown;
}

}  // namespace

std::unique_ptr<InstanceClaim> claimOnlyInstance() {
    auto claim = std::make_unique<MutexClaim>();
    if (claim->heldElsewhere()) return nullptr;
    return claim;
}

bool showRunningInstance() {
    // A copy that has just started may not show its window yet.
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (HWND window = frontWindowOfOtherCopy()) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            // The other copy may then take the front itself (its own dialogs).
            AllowSetForegroundWindow(owner);
            if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
            SetForegroundWindow(window);
            return true;
        }
        Sleep(100);
    }
    return false;
}

}  // namespace orr::platform
