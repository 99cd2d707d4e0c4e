// Maps Windows paths onto a folder laid out like a Wine prefix: C: is
// ROOT/drive_c, every other letter X is ROOT/dosdevices/x:.
#pragma once

#include "platform/status.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orr::platform::posix {

// A Windows path made absolute: drive letter, components after "." and ".."
// were applied, and whether it was written with a closing separator.
struct WindowsPath {
    Status status = Status::ok;  // pathNotFound (empty, UNC) or invalidName (wildcards)
    char drive = 'C';
    std::vector<std::string> parts;
    bool trailingSeparator = false;

    std::string text() const;  // "C:\dir\file", "C:\" for a drive root
};

struct HostPath {
    Status status = Status::ok;
    std::filesystem::path path;  // meaningful only when status is ok
};

// Where the drives lie: `root` when given, else $WINEPREFIX, else ~/.wine.
std::filesystem::path prefixRoot(const std::string& root);

class DriveMap {
public:
    explicit DriveMap(std::filesystem::path root) : root_(std::move(root)) {}

    // Relative paths start from the current directory; "\x" and "C:x" start
    // from the current drive's root and the current directory of that drive.
    // Names are trimmed as the platform's parser trims them: the last loses
    // its closing spaces and dots ("C:\bk " and "C:\bk." are "C:\bk"), one
    // followed by "\" a single closing dot ("C:\bk.\x" is "C:\bk\x").
    WindowsPath absolute(std::string_view path) const;

    // The host path of `path`. Each existing component is matched exactly
    // first, then without regard to ASCII letter case; from the first missing
    // component on the rest stays as written, so new entries can be named.
    // A closing separator is kept, so that "file\" does not name the file.
    HostPath toHost(std::string_view path) const;
    HostPath toHost(const WindowsPath& path) const;

    std::filesystem::path driveRoot(char drive) const;

    // A Windows path ("C:\dir", "C:\" for a root); the caller has checked
    // that the folder exists.
    const std::string& currentDirectory() const { return current_; }
    void setCurrentDirectory(const WindowsPath& folder);

private:
    std::filesystem::path root_;
    std::string current_ = "C:\\";
};

}  // namespace orr::platform::posix
