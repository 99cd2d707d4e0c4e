// No window events exist here, so there is nothing to let run.
#include "platform/services.h"

namespace orr::platform {
namespace {

class NoEvents final : public EventPump {
public:
    void process() override {}
};

}  // namespace

std::unique_ptr<EventPump> makeEventPump() { return std::make_unique<NoEvents>(); }

}  // namespace orr::platform
