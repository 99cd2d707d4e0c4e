// No window system here: the clipboard is the process's own, in memory.
#include "platform/clipboard.h"

namespace orr::platform {
namespace {

class MemoryClipboard final : public Clipboard {
public:
    void clear() override { text_.clear(); }
    void setText(const std::string& text) override { text_ = text; }
    std::string text() override { return text_; }

private:
    std::string text_;
};

}  // namespace

std::unique_ptr<Clipboard> makeClipboard() { return std::make_unique<MemoryClipboard>(); }

}  // namespace orr::platform
