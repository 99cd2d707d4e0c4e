// Profiles through the system's own profile functions, which do all the
// parsing and formatting. They stop at 260 characters: a file with a
// longer name (a descriptor deep in a backup folder) goes through the
// program's own text rules over the file-system service.
#include "platform/services.h"
#include "platform/text_profiles.h"

#include <windows.h>

#include <algorithm>
#include <limits>

namespace orr::platform {
namespace {

class SystemProfiles final : public Profiles {
public:
    explicit SystemProfiles(FileSystem& files) : long_(makeTextProfiles(files)) {}

    std::string read(std::string_view file, std::string_view section, std::string_view key,
                     std::string_view fallback, std::size_t bufferSize) override {
        if (file.size() >= MAX_PATH) return long_->read(file, section, key, fallback, bufferSize);
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
        if (file.size() >= MAX_PATH) return long_->write(file, section, key, value);
        return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                          std::string(value).c_str(),
                                          std::string(file).c_str()) != FALSE;
    }

private:
    std::unique_ptr<Profiles> long_;
};

}  // namespace

std::unique_ptr<Profiles> makeProfiles(FileSystem& files) {
    return std::make_unique<SystemProfiles>(files);
}

}  // namespace orr::platform
