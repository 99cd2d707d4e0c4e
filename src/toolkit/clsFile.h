// Writes a text as the whole content of a file, through the program's
// numbered file table.
#pragma once

#include "Variant.h"
#include "platform/services.h"

#include <string>

namespace orr {

class clsFile {
public:
    explicit clsFile(platform::Services& services) : s_(services) {}

    // The file holds exactly the text and CR LF afterwards. Failures to open
    // or write pass to the caller as RunError.
    void FileWrite(const std::string& strFileName, const std::string& strText);
    std::string sRemoveLastChar(const std::string& sPassString);
    Variant LastChar(const std::string& strText);

private:
    platform::Services& s_;
};

}  // namespace orr
