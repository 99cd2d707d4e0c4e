// A form: one top-level window with its controls, shown modeless or modal.
// Forms are single program-wide instances that derive from this class and
// hold their controls as members; the controls register themselves here in
// the order they are created.
#pragma once

#include "Control.h"
#include "Keys.h"
#include "Peer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orr::ui {

class CommandButton;
class Gui;

enum class BorderStyle { fixedSingle, fixedDialog };
enum class StartPosition { windowsDefault, centerScreen };
enum class Modality { modeless, modal };

class Form {
public:
    Form(Gui& gui, std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    Gui& gui() const { return gui_; }

    // The window's look, set before its first show.
    const std::string& caption() const { return caption_; }
    void setCaption(std::string text);
    // A form without a title bar still has its border (the wizards).
    bool titleBar() const { return titleBar_; }
    void setTitleBar(bool on) { titleBar_ = on; }
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle b) { borderStyle_ = b; }
    StartPosition startPosition() const { return startPosition_; }
    void setStartPosition(StartPosition p) { startPosition_ = p; }
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }
    void setClientSize(int width, int height);
    const Font& font() const { return font_; }
    void setFont(const Font& f);
    Color backColor() const { return backColor_; }
    void setBackColor(Color c);

    // Esc presses the cancel button, Enter the default one (when reachable).
    CommandButton* cancelButton() const { return cancelButton_; }
    void setCancelButton(CommandButton* b) { cancelButton_ = b; }

    // Showing. A modal show returns when the form is hidden or unloaded;
    // meanwhile the program's other forms take no input.
    void show(Modality modality = Modality::modeless);
    void hide();
    // A window that follows the program's own work (a copy's progress) may
    // come up modeless above a modal form; any other modeless show is then
    // refused, as a modal form takes all input.
    void setShowsOverModal(bool on) { showsOverModal_ = on; }
    bool showsOverModal() const { return showsOverModal_; }
    // Destroys the window; the next show makes a new one.
    void unload();
    bool loaded() const { return loaded_; }
    bool visible() const { return visible_; }
    bool shownModal() const { return modal_ && visible_; }
    // False while another form is shown modal.
    bool windowEnabled() const { return windowEnabled_; }

    // The frame's close command (the close box, Alt+F4). Without a handler
    // the form unloads.
    std::function<void()> FrameClose;

    // Focus and keyboard.
    Control* activeControl() const { return active_; }
    // False when the control cannot take the focus now.
    bool setFocus(Control& control);
    // The controls that Tab visits, in order: reachable, focusable tab
    // stops by tab index; of a group of option buttons only the selected one.
    std::vector<Control*> tabOrder() const;
    // A key the form handles itself (focus moves, Esc, Enter, accelerators,
    // arrows in an option group, Alt+F4). False when it means nothing here.
    bool pressKey(const KeyPress& key);

    // Every control, in creation order; lookup by name and array index.
    const std::vector<Control*>& controls() const { return controls_; }
    Control* find(std::string_view name, int index = -1) const;
    // The index of the control array element in front of the others, -1
    // when the form has no such array.
    int frontIndex(std::string_view arrayName) const;


    // The window's handle for the platform's functions, 0 without a window.
    std::uintptr_t hWnd() const { return peer_ ? peer_->handle() : 0; }

    // For backends: the windows behind the form, and input they report.
    FormPeer* peer() const { return peer_.get(); }
    void focusMovedByUser(Control* control) { active_ = control; }
    void frameCloseRequested();

private:
    friend class Control;
    friend class Gui;

    void add(Control* c);
    void remove(Control* c);
    std::uint64_t nextZOrder() { return ++zCounter_; }
    int nextSequence() { return sequence_++; }
    void controlChanged(Control& c, Aspect what);
    void formChanged(Aspect what);
    void keepFocusReachable();
    Control* nextInTabOrder(Control* from, bool backwards) const;
    bool pressAccelerator(char letter);
    bool moveInOptionGroup(int step);

    Gui& gui_;
    std::string name_;
    std::string caption_;
    bool titleBar_ = true;
    BorderStyle borderStyle_ = BorderStyle::fixedSingle;
    StartPosition startPosition_ = StartPosition::windowsDefault;
    int clientWidth_ = 312;
    int clientHeight_ = 213;
    Font font_;
    Color backColor_ = color::buttonFace;
    CommandButton* cancelButton_ = nullptr;

    bool loaded_ = true;
    bool visible_ = false;
    bool modal_ = false;
    bool windowEnabled_ = true;
    bool shownBefore_ = false;
    bool showsOverModal_ = false;
    Control* active_ = nullptr;
    std::vector<Control*> controls_;
    std::uint64_t zCounter_ = 0;
    int sequence_ = 0;
    std::unique_ptr<FormPeer> peer_;
};

}  // namespace orr::ui
