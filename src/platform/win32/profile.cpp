// Profiles through the system's own profile functions, which do all the
// parsing and formatting; the file-system service is not needed here.
#include "platform/services.h"

#include <windows.h>

#include <algorithm>
#include <limits>

namespace orr::platform {
namespace {

class SystemProfiles final : public Profiles {
public:
    std::string read(std::string_view file, std::string_view section, std::string_view key,
                     std::string_view fallback, std::size_t bufferSize) override {
        if (bufferSize == 0) return {};
        const std::size_t size =
            std::min<std::size_t>(bufferSize, (std::numeric_limits<DWORD>::max)());
        std::string buffer(size, '\0');
        const DWORD n = GetPrivateProfileStringA(
            std::string(section).c_str(), std::string(key).c_str(),
            std::string(fallback).c_str(), buffer.data(), static_cast<DWORD>(size),
            std::string(file).c_str());
        buffer.resize(std::min<std::size_t>(n, size));
        return buffer;
    }

    bool write(std::string_view file, std::string_view section, std::string_view key,
               std::string_view value) override {
        return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                          std::string(value).c_str(),
                                          std::string(file).c_str()) != FALSE;
    }
};

}  // namespace

std::unique_ptr<Profiles> makeProfiles(FileSystem&) {
    return std::make_unique<SystemProfiles>();
}

}  // namespace orr::platform
