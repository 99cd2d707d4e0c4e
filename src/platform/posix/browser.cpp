// No program runs on real windows on POSIX (the driver and the tests
// script the browser), so this layer's browser finds nothing and starts
// nothing, which the program reports as it would on a desktop without one.
#include "platform/browser.h"

namespace orr::platform {
namespace {

class NoBrowser final : public Browser {
public:
    std::optional<std::string> findProgram(const std::string&) override { return std::nullopt; }
    bool start(const std::string&, const std::string&, std::uintptr_t) override { return false; }
};

}  // namespace

std::unique_ptr<Browser> makeBrowser() { return std::make_unique<NoBrowser>(); }

}  // namespace orr::platform
