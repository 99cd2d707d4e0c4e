// The form layer on real windows: native buttons, option buttons, check
// boxes, edit boxes and drop-down lists, frames and picture boxes as container windows, labels, shapes and
// lines drawn by their container (windowless, as the forms' original
// toolkit drew them). Sizes are pixels at 96 dots per inch, scaled for the
// monitor the window is on. Modal shows run a nested message loop. With an
// input source (Gui::setInput) the loops ask it for input whenever no
// message is waiting, instead of waiting for the user.
//
// Keyboard: Tab, Esc, Enter, arrows in option groups and accelerators are
// taken from the message queue before the controls see them and handled by
// the form (Form::pressKey), exactly as on the headless toolkit.
//
// Handlers run inside window procedures. An exception must not cross the
// system's frames, so one that escapes a handler (ProgramEnded when
// unwinding) waits until the message loop that dispatched the message takes
// it up again and throws it on from there.
#pragma once

#include "ui/Gui.h"

#include <memory>

namespace orr::ui {

// What ending the program does once every window is gone.
enum class EndAction {
    exitProcess,  // the program: the process exits at once, wherever it is
    unwind,       // tests: ProgramEnded unwinds to whoever ran the program
};

class Win32Gui final : public Gui {
public:
    explicit Win32Gui(EndAction endAction = EndAction::exitProcess);
    ~Win32Gui() override;

    // True when windows can be made (a desktop to show them on exists).
    static bool available();

    platform::EventPump& events() override;
    platform::MousePointer& pointer() override;
    void run() override;

    // The input goes through the native controls: button clicks as
    // BM_CLICK, label clicks as mouse messages, typing into the edit box.
    bool click(Control& control) override;
    bool type(TextBox& box, const std::string& text) override;
    bool choose(ComboBox& box, int index) override;
    bool key(Form& form, const KeyPress& key) override;
    void queueClick(Control& control) override;

    struct System;  // the window system's side, shared with the form windows

protected:
    std::unique_ptr<FormPeer> createPeer(Form& form) override;
    void runModal(Form& form) override;
    [[noreturn]] void finishEnd() override;

private:
    enum class Served { more, quit, exhausted };
    // One step of a loop that waits for the user: a message, or else (with
    // an input source) one piece of input from the source.
    Served serveInput();

    EndAction endAction_;
    std::unique_ptr<System> system_;
};

}  // namespace orr::ui
