#include "MIni.h"

namespace orr::MIni {

void WriteIni(platform::Services& s, const std::string& file, const std::string& section,
              const std::string& key, const std::string& value) {
    (void)s.profiles.write(file, section, key, value);
}

// A buffer of 255 characters with "" as the default: at most 254 come back.
std::string ReadIni(platform::Services& s, const std::string& file, const std::string& section,
                    const std::string& key) {
    constexpr std::size_t bufferSize = 255;
    return s.profiles.read(file, section, key, "", bufferSize);
}

}  // namespace orr::MIni
