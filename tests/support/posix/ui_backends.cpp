#include "support/ui_backends.h"

#include "ui/headless/HeadlessGui.h"

namespace orr::test {

std::vector<std::string> uiBackendNames() { return {"headless"}; }

std::unique_ptr<ui::Gui> makeUiBackend(const std::string& name) {
    if (name == "headless") return std::make_unique<ui::HeadlessGui>();
    return nullptr;
}

std::optional<ui::Rect> nativePlace(const ui::Control&) { return std::nullopt; }
std::optional<ui::Rect> nativeClientArea(const ui::Form&) { return std::nullopt; }

bool desktopReady() { return true; }  // nothing here needs one

}  // namespace orr::test
