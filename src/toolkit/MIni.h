// Single values in profile (INI) files.
#pragma once

#include "platform/services.h"

#include <string>

namespace orr::MIni {

// Creates the file, section and key as needed; reports no failure.
void WriteIni(platform::Services& s, const std::string& file, const std::string& section,
              const std::string& key, const std::string& value);

// The stored value cut to 254 characters, or "" when the file, section or
// key is missing.
std::string ReadIni(platform::Services& s, const std::string& file, const std::string& section,
                    const std::string& key);

}  // namespace orr::MIni
