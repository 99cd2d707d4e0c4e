#include "MFile.h"

#include "clsFileSystem.h"

#include <string_view>
#include <vector>

namespace orr::MFile {
namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A folder path reduced to one spelling for comparison: "\" as the only
// separator, no empty, "." or ".." levels, no trailing "\", lower-case
// ASCII letters (the file system ignores their case). Relative paths start
// from the current folder.
std::string comparable(std::string_view path, platform::FileSystem& files) {
    std::string full(path);
    const bool drive = full.size() >= 2 && full[1] == ':';
    const bool network = full.size() >= 2 && isSeparator(full[0]) && isSeparator(full[1]);
    if (!network && !(drive && full.size() >= 3 && isSeparator(full[2]))) {
        std::string base = files.currentDirectory();
        if (drive) {
            // "C:dir" is relative to the current folder of that drive; only
            // the current drive's is known.
            full.erase(0, 2);
        } else if (!full.empty() && isSeparator(full[0])) {
            base = base.substr(0, 2);  // "\dir": from the current drive's root
        }
        full = base + "\\" + full;
    }

    std::string root;
    std::size_t at = 0;
    if (full.size() >= 2 && isSeparator(full[0]) && isSeparator(full[1])) {
        root = "\\\\";
        at = 2;
    } else {
        root = full.substr(0, 2);
        at = 2;
    }
    std::vector<std::string> levels;
    while (at <= full.size()) {
        std::size_t end = at;
        while (end < full.size() && !isSeparator(full[end])) ++end;
        std::string level = full.substr(at, end - at);
        if (level == "..") {
            if (!levels.empty()) levels.pop_back();
        } else if (!level.empty() && level != ".") {
            levels.push_back(std::move(level));
        }
        at = end + 1;
    }
    std::string out = root;
    for (const auto& level : levels) {
        if (!out.empty() && out.back() != '\\') out += '\\';
        out += level;
    }
    for (char& c : out) c = lower(c);
    return out;
}

using platform::lastLevel;

// Why the shell would refuse to copy `source` into `destination`, or ""
// when it would not: the folder would land on itself, or inside itself.
std::string refusal(const std::string& source, const std::string& destination,
                    platform::FileSystem& files) {
    const std::string from = comparable(source, files);
    const std::string into = comparable(destination, files);
    const std::string landing = comparable(destination + "\\" + lastLevel(from), files);
    if (landing == from) return "The source and destination file names are the same.";
    if (into == from || into.starts_with(from + "\\"))
        return "The destination folder is a subfolder of the source folder.";
    return {};
}

}  // namespace

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

void CopyFolder(platform::Services& services, platform::ShellCopy& copier,
                const std::string& source, const std::string& destination) {
    services.pointer.set(platform::Pointer::hourglass);
    clsFileSystem fs(services);
    std::string from = source;
    if (fs.LastChar(from).toText() == "\\") from = fs.sRemoveLastChar(from);

    // Refused before anything is made: Windows refuses such a copy, and
    // Wine does not check and would copy the growing tree into itself.
    const std::string reason = refusal(from, destination, services.files);
    if (!reason.empty()) {
        services.messages.show(platform::copyFailureText(lastLevel(from), reason), platform::kCopyErrorCaption);
        services.pointer.set(platform::Pointer::normal);
        return;
    }

    // A failure here leaves at once, with the pointer still the hourglass.
    fs.CreateDirectoryStruct(from);
    copier.copyFolder(from, destination);
    services.pointer.set(platform::Pointer::normal);
}

}  // namespace orr::MFile
