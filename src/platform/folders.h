// The user's own folders that the system names.
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
};

// `files` reaches the drives as the program sees them (the POSIX layer
// looks there for the Wine prefix's user folders).
std::unique_ptr<UserFolders> makeUserFolders(FileSystem& files);

}  // namespace orr::platform
