// The form layer's controls: the state every kind shares (name, place,
// enabled, visible, tab order, stacking, font, click). The state lives here,
// on every backend; a backend only mirrors it in windows and reports the
// user's input back.
#pragma once

#include "Color.h"
#include "Font.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orr::ui {

class Control;
class Form;
class Frame;
class PictureBox;

// A place in pixels at 96 dots per inch, relative to the container.
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool contains(int x, int y) const {
        return x >= left && y >= top && x < left + width && y < top + height;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class ControlKind {
    label, commandButton, optionButton, checkBox, frame, textBox, comboBox, pictureBox, shape, line
};

// What changed, for the window that shows it.
// `items` is a list's entries; `value` also a list's selection.
enum class Aspect { bounds, enabled, visible, caption, text, value, items, font, colors, zOrder, style };

// Where a control sits: on the form itself, or inside a frame or picture box.
class Parent {
public:
    Parent(Form& form) : form_(form) {}
    Parent(Frame& frame);
    Parent(PictureBox& picture);
    Form& form() const { return form_; }
    Control* container() const { return container_; }

private:
    Form& form_;
    Control* container_ = nullptr;
};

// A control's observable properties, as a driver's dump shows them; a kind
// without the property leaves it empty.
struct ControlState {
    std::string name;
    int index = -1;
    ControlKind kind = ControlKind::label;
    bool enabled = true;
    bool visible = true;
    std::optional<std::string> caption;
    std::optional<std::string> text;
    std::optional<bool> value;
    std::optional<std::vector<std::string>> list;  // a list's entries
    std::optional<int> listIndex;                   // its selection, -1 for none
    std::optional<bool> fontBold;
    std::optional<Color> fillColor;
};

class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }  // place in its control array, -1 outside one
    Form& form() const { return form_; }
    Control* container() const { return container_; }  // nullptr: on the form

    const Rect& bounds() const { return bounds_; }
    void setBounds(const Rect& r);
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool visible() const { return visible_; }
    void setVisible(bool on);
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int i) { tabIndex_ = i; }
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool on) { tabStop_ = on; }

    // Among the controls of one container the one brought to front last
    // covers the others; at creation each new control is in front.
    void bringToFront();
    std::uint64_t zOrder() const { return zOrder_; }

    // Its own font once one is set, else its container's, else the form's.
    Font font() const;
    void setFont(const Font& f);
    bool fontBold() const { return font().bold; }
    void setFontBold(bool on);
    void setFontUnderline(bool on);

    // True when the user can reach it now: it and every container visible
    // and enabled, on a loaded form.
    bool reachable() const;
    // True for the kinds that take the keyboard focus.
    virtual bool focusable() const { return false; }
    // The letter after "&" in the caption (lower case), 0 when there is none.
    virtual char accelerator() const { return 0; }

    virtual ControlState state() const;

    // The control's Click event. Runs on the user's click (through the
    // toolkit, which handles the failures that escape it) and, for option
    // buttons, check boxes and lists, also when code changes their value.
    std::function<void()> Click;

    // What a user's click does: the control's own reaction, then Click.
    // Backends and drivers reach this through Gui::deliverClick.
    virtual void userClick() { raiseClick(); }

protected:
    Control(const Parent& parent, ControlKind kind, std::string name, const Rect& bounds, int index);
    void changed(Aspect what);
    void raiseClick() {
        if (Click) Click();
    }

private:
    Form& form_;
    Control* container_;
    ControlKind kind_;
    std::string name_;
    int index_;
    Rect bounds_;
    bool enabled_ = true;
    bool visible_ = true;
    int tabIndex_;
    bool tabStop_ = true;
    std::uint64_t zOrder_;
    std::optional<Font> font_;
};

// The letter after a single "&" in a caption ("&&" is a plain "&"), lower case.
char acceleratorOf(const std::string& caption);

}  // namespace orr::ui
