#include "platform/folders.h"

#include <windows.h>

namespace orr::platform {
namespace {

class SystemFolders final : public UserFolders {
public:
    std::string temporary() override {
        char path[MAX_PATH + 1] = {};
        DWORD n = GetTempPathA(sizeof path, path);
        std::string folder = n > 0 && n < sizeof path ? std::string(path, n) : "C:\\Windows\\Temp\\";
        if (folder.back() != '\\') folder += '\\';
        return folder;
    }
};

}  // namespace

std::unique_ptr<UserFolders> makeUserFolders(FileSystem&) { return std::make_unique<SystemFolders>(); }

}  // namespace orr::platform
