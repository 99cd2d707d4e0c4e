// A fresh folder under the user's temporary folder, reached by its real path.
#include "support/test_root.h"
#include "support/test_files.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace orr::test {
namespace {

// The process's current folder, which tests may move into the test folder.
std::string currentFolder() {
    char buffer[MAX_PATH + 1];
    const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    return n > 0 && n <= MAX_PATH ? std::string(buffer, n) : std::string();
}

}  // namespace

TestRoot::TestRoot() {
    char temp[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof temp, temp);
    if (n == 0 || n > MAX_PATH) throw std::runtime_error("no temporary folder");
    const std::string prefix =
        std::string(temp, n) + "orr-test-" + std::to_string(GetCurrentProcessId()) + "-";
    for (unsigned i = 0;; ++i) {
        std::string folder = prefix + std::to_string(i);
        if (CreateDirectoryA(folder.c_str(), nullptr)) {
            hostDir_ = folder;
            break;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a test folder");
    }
    base_ = hostDir_ + "\\";
}

TestRoot::~TestRoot() {
    // A folder that is current cannot be removed: a test that moved into it
    // is moved out to the temporary folder first.
    const std::string current = currentFolder();
    if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, current.c_str(),
                       static_cast<int>(std::min(current.size(), hostDir_.size())),
                       hostDir_.c_str(), static_cast<int>(hostDir_.size())) == CSTR_EQUAL)
        SetCurrentDirectoryA((hostDir_ + "\\..").c_str());
    removeTree(*platform::makeFileSystem(options_), hostDir_);
}

bool runningOnWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool makeLinkToNothing(const platform::Options&, const std::string&) { return false; }

}  // namespace orr::test
