// The system's open-file dialog and folder chooser, both modal and without
// an owner window.
#include "platform/dialogs.h"
#include "com.h"
#include "handles.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <array>

namespace orr::platform {
namespace {

// An item list from the shell, freed with the COM allocator.
using ItemList = win32::Owned<PIDLIST_ABSOLUTE, CoTaskMemFree>;
using win32::ComApartment;


int CALLBACK browseCallback(HWND window, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED) {
        const auto& request = *reinterpret_cast<const FolderRequest*>(data);
        if (!request.initialFolder.empty() &&
            GetFileAttributesA(request.initialFolder.c_str()) != INVALID_FILE_ATTRIBUTES) {
            SendMessageA(window, BFFM_SETSELECTIONA, TRUE,
                         reinterpret_cast<LPARAM>(request.initialFolder.c_str()));
        }
        // The title last: once it shows, the chooser is ready.
        SetWindowTextA(window, request.title.c_str());
    }
    return 0;
}

class SystemDialogs final : public FileDialogs {
public:
    std::string openFile(const OpenFileRequest& request) override {
        // NUL first, so the dialog starts with no name; the spaces after it
        // are never read.
        std::array<char, 260> file;
        file.fill(' ');
        file[0] = '\0';

        // The dialog wants the extension without its dot: given ".BAK" it
        // would add "name." and then ".BAK" ("name..BAK").
        std::string defExt = request.defaultExtension;
        if (!defExt.empty() && defExt.front() == '.') defExt.erase(0, 1);

        OPENFILENAMEA ofn{};
        // The record as every version since Windows 2000 reads it, without
        // the tail the Places bar needs.
        ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
        ofn.hwndOwner = nullptr;
        ofn.hInstance = GetModuleHandleA(nullptr);
        ofn.lpstrFilter = request.filter.empty() ? nullptr : request.filter.c_str();
        ofn.lpstrFile = file.data();
        ofn.nMaxFile = static_cast<DWORD>(file.size());
        ofn.lpstrTitle = request.title.c_str();
        ofn.Flags = OFN_HIDEREADONLY;
        ofn.lpstrDefExt = defExt.empty() ? nullptr : defExt.c_str();
        // The result is not examined: Cancel and failure leave the buffer
        // starting with its NUL.
        GetOpenFileNameA(&ofn);
        file.back() = '\0';
        return std::string(file.data());
    }

    std::optional<std::string> pickFolder(const FolderRequest& request) override {
        ComApartment com;
        BROWSEINFOA info{};
        info.hwndOwner = nullptr;
        info.lpszTitle = request.prompt.c_str();
        // The new style brings the button that makes a new folder.
        info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_RETURNONLYFSDIRS;
        info.lpfn = browseCallback;
        info.lParam = reinterpret_cast<LPARAM>(&request);
        ItemList chosen(SHBrowseForFolderA(&info));
        if (!chosen.get()) return std::nullopt;
        std::array<char, MAX_PATH> path{};
        if (!SHGetPathFromIDListA(chosen.get(), path.data())) return std::nullopt;
        return std::string(path.data());
    }
};

}  // namespace

std::unique_ptr<FileDialogs> makeFileDialogs() { return std::make_unique<SystemDialogs>(); }

}  // namespace orr::platform
