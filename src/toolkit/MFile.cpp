#include "MFile.h"

#include "clsFileSystem.h"


namespace orr::MFile {

std::string BuildFilter(const std::string& filter) {
    std::string list;
    list.reserve(filter.size() + 1);
    for (char c : filter) list.push_back(c == '|' ? '\0' : c);
    // With the NUL that ends every text handed to the system, the list ends
    // in two.
    list.push_back('\0');
    return list;
}

std::string ShowOpenDialog(platform::FileDialogs& dialogs, const std::string& title,
                           const std::string& filter) {
    platform::OpenFileRequest request;
    request.title = title;
    request.filter = BuildFilter(filter);
    request.defaultExtension = ".BAK";
    return dialogs.openFile(request);
}

platform::CopyOutcome CopyFolder(platform::Services& services, platform::FolderCopier& copier,
                                 const std::string& source, const std::string& destination,
                                 const platform::CopyOptions& options) {
    services.pointer.set(platform::Pointer::hourglass);
    clsFileSystem fs(services);
    std::string from = source;
    if (fs.LastChar(from).toText() == "\\") from = fs.sRemoveLastChar(from);
    platform::CopyOutcome outcome = copier.copyFolder(from, destination, options);
    services.pointer.set(platform::Pointer::normal);
    return outcome;
}

}  // namespace orr::MFile
