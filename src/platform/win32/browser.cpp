#include "platform/browser.h"

#include <windows.h>
#include <shellapi.h>

namespace orr::platform {
namespace {

class ShellBrowser final : public Browser {
public:
    std::optional<std::string> findProgram(const std::string& htmlFile) override {
        char program[MAX_PATH] = {};
        auto result = reinterpret_cast<INT_PTR>(FindExecutableA(htmlFile.c_str(), nullptr, program));
        if (result <= 32) return std::nullopt;  // 32 and below are the error codes
        return std::string(program);
    }

    bool start(const std::string& program, const std::string& argument,
               std::uintptr_t owner) override {
        auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(reinterpret_cast<HWND>(owner), "open",
                                                              program.c_str(), argument.c_str(),
                                                              nullptr, SW_SHOWNORMAL));
        return result > 32;
    }
};

}  // namespace

std::unique_ptr<Browser> makeBrowser() { return std::make_unique<ShellBrowser>(); }

}  // namespace orr::platform
