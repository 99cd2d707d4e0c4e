// The GUI toolkit behind the forms: shows and hides them, runs the message
// loops, delivers the user's input to the controls, and ends the program.
// One instance per program; the forms reach it through Form::gui().
//
// Input from the window system, from the scenario driver and from tests
// takes the same road: click(), type(), key() and queueClick() find the
// control's reaction and run its handler through dispatch(), which applies
// the program's rule for failures that no handler catches.
#pragma once

#include "Form.h"
#include "Keys.h"
#include "platform/error.h"
#include "platform/events.h"
#include "platform/pointer.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orr::ui {

class ComboBox;
class TextBox;

// Thrown by endProgram() where the process does not exit on the spot (the
// headless toolkit, tests): every handler, modal loop and copy unwinds, and
// whoever runs the program catches it at the top. Deliberately not a
// std::exception, so that no general handler on the way takes it.
struct ProgramEnded {};

// Thrown when the program waits for input that will never come: a modal
// form is shown and the input source has nothing more. Like ProgramEnded,
// not a std::exception.
struct InputExhausted {
    std::string form;  // the form shown modal
};

class Gui {
public:
    virtual ~Gui();
    Gui(const Gui&) = delete;
    Gui& operator=(const Gui&) = delete;

    // Forms loaded now, in the order they were created.
    const std::vector<Form*>& forms() const { return forms_; }
    Form* findForm(std::string_view name) const;

    // Lets pending window events run once (the program's yield).
    virtual platform::EventPump& events() = 0;
    // The program-wide mouse pointer over the program's windows.
    virtual platform::MousePointer& pointer() = 0;

    // Runs the message loop until no form is visible or the program ends
    // (or, with an input source, until the source has no more).
    virtual void run() = 0;

    // Input from outside the window system (the scenario driver, tests):
    // whenever the program waits for the user (a modal show, the main loop)
    // and no event is pending, the toolkit asks the source to serve one
    // piece of input; the source returns false when it has no more. The
    // driver runs its next commands from there, so that they nest inside
    // modal shows exactly as the user's clicks do.
    using InputSource = std::function<bool()>;
    void setInput(InputSource next) { input_ = std::move(next); }

    // The user's input, now. Each returns false when the target cannot take
    // it (hidden, disabled, behind a modal form, program ended); key() also
    // when the key means nothing to the form (see Form::pressKey).
    virtual bool click(Control& control);
    virtual bool type(TextBox& box, const std::string& text);
    // Picks entry `index` as the user would; an index outside the list
    // throws RunError 380.
    virtual bool choose(ComboBox& box, int index);
    virtual bool key(Form& form, const KeyPress& key);
    // A click that waits in the queue until the program next lets pending
    // events run; it is dropped if the control cannot take it by then.
    virtual void queueClick(Control& control) = 0;

    // The common road of a click: focus for the kinds that take it, then
    // the control's reaction, through dispatch().
    bool deliverClick(Control& control);

    // Runs an event handler. A RunError that escapes it goes to the
    // unhandled-error handler and ends the program; without that handler it
    // passes on. ProgramEnded and every other exception pass on unchanged.
    void dispatch(const std::function<void()>& handler);
    void onUnhandledError(std::function<void(const RunError&)> handler) {
        unhandled_ = std::move(handler);
    }

    // Ends the program: runs the end hook, destroys every window without
    // further events, then exits the process or throws ProgramEnded.
    [[noreturn]] void endProgram();
    void onEnd(std::function<void()> hook) { endHook_ = std::move(hook); }
    bool ended() const { return ended_; }

protected:
    Gui() = default;

    // The windows for a form, made at its first show (nullptr: none).
    virtual std::unique_ptr<FormPeer> createPeer(Form& form) = 0;
    // Waits for and serves input until `form` is no longer shown modal.
    virtual void runModal(Form& form) = 0;
    // After every window is gone: exit the process or throw ProgramEnded.
    [[noreturn]] virtual void finishEnd() = 0;

    bool anyFormVisible() const;
    bool hasInputSource() const { return static_cast<bool>(input_); }
    // Asks the input source for one piece of input; false when it has none.
    bool pullInput() { return input_ && input_(); }
    // Peers of unloaded forms, kept until no handler of theirs can be
    // running (freed by freeRetired() from the outermost loop).
    void freeRetired() { retired_.clear(); }
    // Takes every form's windows down, for a backend that goes before its
    // forms (the forms show again on a new toolkit only after a new show).
    void discardAll();

private:
    friend class Form;

    void add(Form* f) { forms_.push_back(f); }
    void remove(Form* f);
    void show(Form& form, Modality modality);
    void hide(Form& form);
    void unload(Form& form);
    void discard(Form& form);
    void releaseModal(Form& form);
    [[noreturn]] void failed(const RunError& e);

    // The forms each modal show disabled, innermost last.
    struct ModalShow {
        Form* form;
        std::vector<Form*> disabled;
    };

    std::vector<Form*> forms_;
    std::vector<ModalShow> modalShows_;
    std::vector<std::unique_ptr<FormPeer>> retired_;
    std::function<void(const RunError&)> unhandled_;
    std::function<void()> endHook_;
    InputSource input_;
    bool ended_ = false;
};

}  // namespace orr::ui
