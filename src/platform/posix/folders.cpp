// The user's folders inside the Wine-style prefix: Wine names the user's
// profile after the login name and keeps its temporary files in "Temp".
// The system folders are those of a 64-bit prefix.
#include "platform/folders.h"

#include "platform/filesystem.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace orr::platform {
namespace {

std::string loginName() {
    if (const char* user = std::getenv("USER"); user && *user) return user;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name) return pw->pw_name;
    return "root";
}

std::string profile() { return "C:\\users\\" + loginName(); }

class PrefixFolders final : public UserFolders {
public:
    explicit PrefixFolders(FileSystem& files) : files_(files) {}

    std::string temporary() override {
        const std::string home = profile() + "\\";
        for (std::string candidate : {home + "Temp\\", home + "AppData\\Local\\Temp\\"})
            if (files_.exists(candidate)) return candidate;
        return "C:\\windows\\temp\\";
    }
    std::string localAppData() override { return profile() + "\\AppData\\Local"; }
    std::string programFiles() override { return "C:\\Program Files"; }
    std::string programFilesX86() override { return "C:\\Program Files (x86)"; }
    std::string savedGames() override { return profile() + "\\Saved Games"; }

private:
    FileSystem& files_;
};

}  // namespace

std::unique_ptr<UserFolders> makeUserFolders(FileSystem& files) {
    return std::make_unique<PrefixFolders>(files);
}

}  // namespace orr::platform
