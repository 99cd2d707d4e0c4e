// A fresh folder under the user's temporary folder, reached by its real path.
#include "support/test_root.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace orr::test {
namespace {

// Deletes a folder with everything in it, read-only entries included.
void removeTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(folder.c_str());
}

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
    removeTree(hostDir_);
}

bool runningOnWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool makeLinkToNothing(const platform::Options&, const std::string&) { return false; }

}  // namespace orr::test
