// No file or folder chooser exists here: every request answers as the user
// who cancels would.
#include "platform/dialogs.h"

namespace orr::platform {
namespace {

class NoDialogs final : public FileDialogs {
public:
    std::string openFile(const OpenFileRequest&) override { return {}; }
    std::optional<std::string> pickFolder(const FolderRequest&) override { return std::nullopt; }
};

}  // namespace

std::unique_ptr<FileDialogs> makeFileDialogs() { return std::make_unique<NoDialogs>(); }

}  // namespace orr::platform
