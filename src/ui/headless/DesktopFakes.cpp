#include "DesktopFakes.h"

namespace orr::ui {

void MemoryClipboard::clear() {
    text_.clear();
    if (onChange) onChange(text_);
}

void MemoryClipboard::setText(const std::string& text) {
    text_ = text;
    if (onChange) onChange(text_);
}

std::optional<std::string> ScriptedBrowser::findProgram(const std::string& htmlFile) {
    asked.push_back(htmlFile);
    if (onFind) onFind(htmlFile);
    return association;
}

bool ScriptedBrowser::start(const std::string& program, const std::string& argument,
                            std::uintptr_t owner) {
    if (!startSucceeds) return false;
    started.push_back({program, argument, owner});
    if (onStart) onStart(started.back());
    return true;
}

}  // namespace orr::ui
