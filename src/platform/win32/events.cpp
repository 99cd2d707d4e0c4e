#include "platform/services.h"

#include <windows.h>

namespace orr::platform {
namespace {

class MessagePump final : public EventPump {
public:
    // Runs the messages waiting now. A quit request is put back for the
    // main message loop, which ends the program on it.
    void process() override {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
};

}  // namespace

std::unique_ptr<EventPump> makeEventPump() { return std::make_unique<MessagePump>(); }

}  // namespace orr::platform
