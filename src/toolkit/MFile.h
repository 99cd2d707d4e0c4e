// The shell's open-file dialog and folder copy.
#pragma once

#include "platform/dialogs.h"
#include "platform/services.h"
#include "copy/folder_copier.h"

#include <string>

namespace orr::MFile {

// "Description|pattern|..." as the dialog's filter list: every "|" becomes
// a NUL, and one more NUL ends the list.
std::string BuildFilter(const std::string& filter);

// The chosen file's full path, or "" after Cancel. Default extension ".BAK".
std::string ShowOpenDialog(platform::FileDialogs& dialogs, const std::string& title,
                           const std::string& filter);

// Copies the folder `source` into the folder `destination` (landing as
// destination\<source's name>) and returns what the copy did; it shows
// nothing. A missing source is made first and lands empty.
platform::CopyOutcome CopyFolder(platform::Services& services, platform::FolderCopier& copier,
                const std::string& source, const std::string& destination,
                const platform::CopyOptions& options = {});

}  // namespace orr::MFile
