// The program's numbered file table for sequential text output: files are
// opened under a number, written line by line and closed by number or all
// at once.
#pragma once

#include "filesystem.h"

#include <map>
#include <memory>
#include <string_view>

namespace orr::platform {

class FileTable {
public:
    explicit FileTable(FileSystem& fs) : fs_(fs) {}

    int freeFile() const;                                  // lowest unused number, 1 to 255
    void openOutput(int number, std::string_view path);    // throws RunError
    void printLine(int number, std::string_view text);     // text, then CR LF
    void close(int number);
    void closeAll() noexcept;                              // failures are ignored
    bool isOpen(int number) const { return open_.count(number) != 0; }

private:
    FileSystem& fs_;
    std::map<int, std::unique_ptr<OutputFile>> open_;
};

}  // namespace orr::platform
