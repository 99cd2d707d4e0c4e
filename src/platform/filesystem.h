// File-system service. Paths are Windows paths in UTF-8 ("C:\dir\file",
// "\" or "/" as separators); each OS tree maps them onto its own storage.
#pragma once

#include "status.h"

#include <compare>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orr::platform {

class CopyIo;

// Attribute bits, as the platform numbers them.
namespace attr {
inline constexpr std::uint32_t readOnly = 1;
inline constexpr std::uint32_t hidden = 2;
inline constexpr std::uint32_t system = 4;
inline constexpr std::uint32_t volume = 8;
inline constexpr std::uint32_t directory = 16;
inline constexpr std::uint32_t archive = 32;
inline constexpr std::uint32_t alias = 64;
inline constexpr std::uint32_t normal = 128;  // only as a value to set: "no attribute"
}  // namespace attr

struct DateTime {
    int year = 1601, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
    friend auto operator<=>(const DateTime&, const DateTime&) = default;  // by time: the fields in order
};

struct DirEntry {
    std::string name;
    std::uint32_t attributes = 0;
};

// A file opened for sequential output; closed by close() or on destruction.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual void write(std::string_view bytes) = 0;  // throws RunError
    virtual void close() = 0;                        // throws RunError; idempotent
};

// One backup or restore at a time on a computer's drives, across every copy
// of the program (the wizard, and the command line a schedule starts): two
// runs could write into the same game at once, or a backup read what a
// restore has half written. Held for as long as it lives.
class RunClaim {
public:
    virtual ~RunClaim() = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // True when a file or a folder of that name exists. Never fails.
    virtual bool exists(std::string_view path) = 0;
    // The attribute bits, or nothing when the entry cannot be read.
    virtual std::optional<std::uint32_t> attributes(std::string_view path) = 0;
    // Whether `path` names an existing folder (its attributes say so).
    bool isFolder(std::string_view path) {
        const auto bits = attributes(path);
        return bits && (*bits & attr::directory);
    }
    // Replaces all settable bits (read-only, hidden, system, archive); 0 clears them.
    virtual Status setAttributes(std::string_view path, std::uint32_t bits) = 0;

    // Entries of one folder whose names match the last component of the
    // pattern ("*" and "?", letter case ignored, "*.*" matches every name),
    // in the platform's order, without "." and "..", hidden and system ones
    // included with their bits. A missing folder or no match gives an empty
    // list; other failures throw RunError.
    virtual std::vector<DirEntry> list(std::string_view pattern) = 0;

    virtual std::optional<std::uint64_t> size(std::string_view path) = 0;
    // Last modification, in local time.
    virtual std::optional<DateTime> modified(std::string_view path) = 0;
    virtual Status setModified(std::string_view path, const DateTime& localTime) = 0;

    virtual Status removeFile(std::string_view path) = 0;
    // Moves the file `from` over `to` in the same folder in one step, its
    // data on the medium first: either the old or the new file is at `to`
    // at every moment. Fails on a read-only target, as Windows does.
    virtual Status replaceFile(std::string_view from, std::string_view to) = 0;
    // Copies one file over an existing one; fails on a read-only target.
    virtual Status copyFile(std::string_view from, std::string_view to) = 0;
    virtual Status makeDirectory(std::string_view path) = 0;
    virtual Status removeDirectory(std::string_view path) = 0;  // must be empty

    // Creates or empties the file. Throws RunError when it cannot be opened.
    virtual std::unique_ptr<OutputFile> openOutput(std::string_view path) = 0;
    // The whole content, or nothing when the file cannot be read.
    virtual std::optional<std::string> readFile(std::string_view path) = 0;

    // The path made absolute as the platform resolves it: "." and ".."
    // applied, the last name's closing spaces and dots dropped, relative
    // paths taken from the current folder. Nothing when it cannot be.
    virtual std::optional<std::string> fullPath(std::string_view path) = 0;

    // The folder that relative paths start from, as a Windows path.
    virtual std::string currentDirectory() = 0;
    virtual Status setCurrentDirectory(std::string_view path) = 0;

    // The folder copy's operations over the same drives (copy_io.h), made
    // once with the service: liesWithin() asks them for every check.
    virtual CopyIo& copyIo() = 0;

    // Claims these drives for one run; nothing while another run holds
    // them (another process's, or another thread's of this one). A claim the system cannot check is
    // granted: that failure must not stop a backup.
    virtual std::unique_ptr<RunClaim> claimRun() = 0;
};

}  // namespace orr::platform
