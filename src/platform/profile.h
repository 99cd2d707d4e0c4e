// Profile (INI) files, with the observable results of the Windows profile
// functions: names matched without regard to case, the first matching
// section and key win, files edited line by line with CR LF line ends.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orr::platform {

class Profiles {
public:
    virtual ~Profiles() = default;

    // The key's value (or `fallback` when the file, section or key is
    // missing), cut to bufferSize - 1 characters. bufferSize 0 gives "".
    virtual std::string read(std::string_view file, std::string_view section,
                             std::string_view key, std::string_view fallback,
                             std::size_t bufferSize) = 0;

    // Sets the key, creating the file, section and key as needed.
    // False when the file cannot be written; nothing is reported otherwise.
    virtual bool write(std::string_view file, std::string_view section,
                       std::string_view key, std::string_view value) = 0;
};

}  // namespace orr::platform
