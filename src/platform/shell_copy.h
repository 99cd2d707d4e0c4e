// Whole-folder copies the way the shell copies: the folder lands under its
// own name inside the destination folder, merges with what is there,
// replaces same-named files (read-only ones too) without asking, creates
// missing folders, copies hidden files and keeps modification times.
#pragma once

#include "events.h"
#include "filesystem.h"
#include "messagebox.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orr::platform {

// What a long copy shows while it runs (where the shell has no progress
// window of its own). advance() is called between files and lets pending
// events run; false from it cancels the copy. begin() and end() frame every
// copy; showing itself only once a copy has run long is the display's part.
class CopyProgress {
public:
    virtual ~CopyProgress() = default;
    virtual void begin(const std::string& source, const std::string& destination,
                       std::uint64_t files, std::uint64_t bytes) = 0;
    virtual bool advance(const std::string& currentFile, std::uint64_t filesDone,
                         std::uint64_t bytesDone) = 0;
    virtual void end() = 0;
};

class ShellCopy {
public:
    virtual ~ShellCopy() = default;
    // Copies `source` (a folder, no trailing separator) into the folder
    // `destination`. Returns when the copy is done, cancelled or has failed;
    // a failure has then been shown to the user in one message. Raises
    // nothing for failures of the copy itself.
    virtual void copyFolder(std::string_view source, std::string_view destination) = 0;
};

// The folder's own name: the last level of its path, separators after it
// ignored.
std::string lastLevel(std::string_view path);

// Makes each missing level of the folder `path` ("C:\a\b", or below the
// share of "\\server\share\a"), from the root down. The first level that
// cannot be made stops it, with that failure.
Status makeFolderLevels(FileSystem& files, std::string_view path);

// The caption and text of the one message a refused or failed folder copy
// shows: "Cannot copy NAME: REASON".
inline constexpr const char* kCopyErrorCaption = "Error Copying File or Folder";
std::string copyFailureText(std::string_view name, std::string_view reason);

// Windows: SHFileOperationA (the shell shows its own progress and errors;
// `progress` is not used). POSIX: a copy of our own through `files`, with
// `progress` (may be null) for long copies and `messages` for failures.
std::unique_ptr<ShellCopy> makeShellCopy(FileSystem& files, MessageBoxes& messages,
                                         EventPump& events, CopyProgress* progress);

}  // namespace orr::platform
