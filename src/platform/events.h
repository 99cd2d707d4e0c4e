// Lets pending window events run once (a yield to the message loop).
// Any handler may be entered again from inside process().
#pragma once

namespace orr::platform {

class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void process() = 0;
};

}  // namespace orr::platform
