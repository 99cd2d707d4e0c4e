// The toolkit without windows: the forms' state in memory, input from a
// scenario driver or a test. Clicks may be queued; they are delivered when
// the program next lets pending events run. When the program waits for the
// user (a modal show, the main loop) and nothing is queued, it asks the
// input source for more: the driver runs its next command from there, so a
// script's commands nest inside modal shows exactly as the user's clicks do.
#pragma once

#include "NoDesktop.h"
#include "ui/Gui.h"

#include <deque>
#include <functional>

namespace orr::ui {

class HeadlessGui final : public Gui {
public:
    HeadlessGui();
    ~HeadlessGui() override;

    platform::EventPump& events() override { return pump_; }
    platform::MousePointer& pointer() override { return pointer_; }

    // Serves input until no form is visible or the input runs out.
    void run() override;
    void queueClick(Control& control) override;
    std::size_t pendingCount() const { return pending_.size(); }

protected:
    std::unique_ptr<FormPeer> createPeer(Form&) override { return nullptr; }
    void runModal(Form& form) override;
    [[noreturn]] void finishEnd() override { throw ProgramEnded{}; }

private:
    // Delivers every queued click, also those queued meanwhile.
    void deliverPending();

    class Pump : public platform::EventPump {
    public:
        explicit Pump(HeadlessGui& gui) : gui_(gui) {}
        void process() override { gui_.deliverPending(); }

    private:
        HeadlessGui& gui_;
    };

    Pump pump_{*this};
    RememberedPointer pointer_;
    // The form is kept beside the control, so that a click queued for a
    // form that has gone since can be recognised without touching it.
    struct Pending {
        Form* form;
        Control* control;
    };
    std::deque<Pending> pending_;
};

}  // namespace orr::ui
