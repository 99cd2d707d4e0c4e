// The system clipboard, for plain text.
#pragma once

#include <memory>
#include <string>

namespace orr::platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    // Replaces the clipboard's content with `text` (UTF-8) as plain text.
    virtual void setText(const std::string& text) = 0;
    // The plain text on the clipboard, "" when there is none.
    virtual std::string text() = 0;
};

// This OS's clipboard. Where the program has no window system (the POSIX
// layer) it is the process's own, held in memory.
std::unique_ptr<Clipboard> makeClipboard();

}  // namespace orr::platform
