// Here the driver runs the program on the headless toolkit: no windows.
#include "drive/Windowing.h"
#include "ui/headless/HeadlessGui.h"

namespace orr::drive {
namespace {

class Headless final : public Windowing {
public:
    ui::Gui& gui() override { return gui_; }
    // Nothing to capture, and nothing to say about it: scripts with
    // screenshots run here unchanged.
    bool capture(const ui::Form&, const std::string&, std::string&) override { return false; }

private:
    ui::HeadlessGui gui_;
};

}  // namespace

std::unique_ptr<Windowing> makeWindowing() { return std::make_unique<Headless>(); }

}  // namespace orr::drive
