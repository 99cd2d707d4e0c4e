// The user's own folders and the system's folders that the system names.
#pragma once

#include <memory>
#include <string>

namespace orr::platform {

class FileSystem;

class UserFolders {
public:
    virtual ~UserFolders() = default;
    // The folder for temporary files, as a Windows path ending in "\".
    virtual std::string temporary() = 0;
    // The folders below are Windows paths without a closing "\", whether
    // or not they exist; "" where the system has none.
    // %LOCALAPPDATA%: the user's local application data.
    virtual std::string localAppData() = 0;
    // The 64-bit programs' folder on 64-bit Windows, else the only one.
    virtual std::string programFiles() = 0;
    // %ProgramFiles(x86)%: the 32-bit programs' folder (on 32-bit Windows
    // the same as programFiles()).
    virtual std::string programFilesX86() = 0;
    // The user's Saved Games folder (FOLDERID_SavedGames).
    virtual std::string savedGames() = 0;
};

// `files` reaches the drives as the program sees them (the POSIX layer
// looks there for the Wine prefix's user folders).
std::unique_ptr<UserFolders> makeUserFolders(FileSystem& files);

}  // namespace orr::platform
