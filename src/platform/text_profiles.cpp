// Profiles over the file-system service: the whole file is read, edited as
// text and written back.
#include "text_profiles.h"

#include "ini_text.h"
#include "platform/error.h"

namespace orr::platform {
namespace {

class TextProfiles final : public Profiles {
public:
    explicit TextProfiles(FileSystem& files) : files_(files) {}

    std::string read(std::string_view file, std::string_view section, std::string_view key,
                     std::string_view fallback, std::size_t bufferSize) override {
        std::optional<std::string> text;
        if (!file.empty()) text = files_.readFile(file);
        return ini::readValue(text.value_or(std::string{}), section, key, fallback, bufferSize);
    }

    bool write(std::string_view file, std::string_view section, std::string_view key,
               std::string_view value) override {
        if (file.empty()) return false;
        std::optional<std::string> text = files_.readFile(file);
        // Something there that cannot be read (a folder, a locked file) is
        // left alone rather than replaced.
        if (!text && files_.exists(file)) return false;
        const std::string updated =
            ini::writeValue(text.value_or(std::string{}), section, key, value);
        try {
            // Fails without creating anything when a folder on the way is missing.
            std::unique_ptr<OutputFile> out = files_.openOutput(file);
            out->write(updated);
            out->close();
            return true;
        } catch (const RunError&) {
            return false;
        }
    }

private:
    FileSystem& files_;
};

}  // namespace

std::unique_ptr<Profiles> makeTextProfiles(FileSystem& files) {
    return std::make_unique<TextProfiles>(files);
}

}  // namespace orr::platform
