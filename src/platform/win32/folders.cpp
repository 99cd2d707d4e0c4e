// The user's and the system's folders as the shell names them, the
// environment's values where the shell gives none.
#include "platform/folders.h"
#include "platform/win32/utf16.h"
#include "platform/windows_path.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <cstdlib>

namespace orr::platform {
namespace {

using win32::narrow;

// A known folder's path, whether or not it exists; "" when the shell
// knows none (FOLDERID_ProgramFilesX86 exists from Vista on).
std::string known(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::string out;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path))) out = narrow(path);
    CoTaskMemFree(path);
    return withoutClosingSeparator(out);
}

std::string environment(const wchar_t* name) {
    wchar_t value[MAX_PATH + 1] = {};
    const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH + 1);
    return n > 0 && n <= MAX_PATH ? withoutClosingSeparator(narrow(value)) : std::string();
}

std::string firstOf(std::string a, std::string b) { return a.empty() ? b : a; }

class SystemFolders final : public UserFolders {
public:
    std::string temporary() override {
        char path[MAX_PATH + 1] = {};
        DWORD n = GetTempPathA(sizeof path, path);
        std::string folder = n > 0 && n < sizeof path ? std::string(path, n) : "C:\\Windows\\Temp\\";
        if (folder.back() != '\\') folder += '\\';
        return folder;
    }
    std::string localAppData() override {
        return firstOf(known(FOLDERID_LocalAppData), environment(L"LOCALAPPDATA"));
    }
    // A 32-bit build is shown "Program Files (x86)" as FOLDERID_ProgramFiles
    // on 64-bit Windows; ProgramW6432 names the 64-bit folder to both.
    std::string programFiles() override {
        return firstOf(environment(L"ProgramW6432"), known(FOLDERID_ProgramFiles));
    }
    std::string programFilesX86() override {
        return firstOf(known(FOLDERID_ProgramFilesX86), environment(L"ProgramFiles(x86)"));
    }
    std::string savedGames() override { return known(FOLDERID_SavedGames); }
};

}  // namespace

std::unique_ptr<UserFolders> makeUserFolders(FileSystem&) { return std::make_unique<SystemFolders>(); }

}  // namespace orr::platform
