// The system's file and folder choosers.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace orr::platform {

struct OpenFileRequest {
    std::string title;
    // Pairs of description and pattern, each part ended by a NUL, the list
    // by one more NUL.
    std::string filter;
    std::string defaultExtension;
};

struct FolderRequest {
    std::string title;
    std::string prompt;
    // Selected when the chooser opens, if it exists.
    std::string initialFolder;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The full path the user chose (the file need not exist), or "" after
    // Cancel or when the dialog cannot be shown. Modal, without an owner.
    virtual std::string openFile(const OpenFileRequest& request) = 0;
    // A folder chosen by the user (the chooser lets the user make a new
    // one), as a full path; nothing when the user made no choice.
    virtual std::optional<std::string> pickFolder(const FolderRequest& request) = 0;
};

// Windows: GetOpenFileNameA and SHBrowseForFolderA. POSIX: no chooser
// exists; every request answers as cancelled.
std::unique_ptr<FileDialogs> makeFileDialogs();

}  // namespace orr::platform
