// The kinds of controls the forms use.
#pragma once

#include "Control.h"

#include <optional>
#include <string>
#include <vector>

namespace orr::ui {

enum class Alignment { left, right, center };

// A control whose background follows its container's until one is set.
class Colored : public Control {
public:
    Color backColor() const;
    void setBackColor(Color c);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color c);

protected:
    // Without `backColor` the background follows the container's.
    Colored(const Parent& parent, ControlKind kind, std::string name, const Rect& bounds, int index,
            Color foreColor, std::optional<Color> backColor = std::nullopt);

private:
    std::optional<Color> backColor_;
    Color foreColor_;
};

class Label : public Colored {
public:
    Label(const Parent& parent, std::string name, const Rect& bounds, int index = -1);
    const std::string& caption() const { return caption_; }
    void setCaption(std::string text);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a);
    char accelerator() const override { return acceleratorOf(caption_); }
    ControlState state() const override;

private:
    std::string caption_;
    Alignment alignment_ = Alignment::left;
};

class CommandButton : public Control {
public:
    CommandButton(const Parent& parent, std::string name, const Rect& bounds, int index = -1);
    const std::string& caption() const { return caption_; }
    void setCaption(std::string text);
    bool focusable() const override { return true; }
    char accelerator() const override { return acceleratorOf(caption_); }
    ControlState state() const override;

private:
    std::string caption_;
};

// What option buttons and check boxes share: a caption with its
// accelerator, and a value the user sets by clicking.
class Toggle : public Colored {
public:
    const std::string& caption() const { return caption_; }
    void setCaption(std::string text);
    bool value() const { return value_; }
    bool focusable() const override { return true; }
    char accelerator() const override { return acceleratorOf(caption_); }
    ControlState state() const override;

protected:
    Toggle(const Parent& parent, ControlKind kind, std::string name, const Rect& bounds, int index);
    // Sets the value, raising nothing; true when it changed.
    bool store(bool on);

private:
    std::string caption_;
    bool value_ = false;
};

// Option buttons in the same container form one group: selecting one clears
// the others.
class OptionButton : public Toggle {
public:
    OptionButton(const Parent& parent, std::string name, const Rect& bounds, int index = -1);
    // Selecting clears the rest of the group and raises Click when the
    // button was not selected before; clearing raises nothing.
    void setValue(bool on);
    void userClick() override { setValue(true); }
};

// A two-state check box. Like an option button's, its Click follows the
// value: every change raises it, the user's toggle and code's alike.
class CheckBox : public Toggle {
public:
    CheckBox(const Parent& parent, std::string name, const Rect& bounds, int index = -1);
    // Raises Click when the value changes.
    void setValue(bool on);
    void userClick() override { setValue(!value()); }
};

class Frame : public Colored {
public:
    Frame(const Parent& parent, std::string name, const Rect& bounds, int index = -1);
    const std::string& caption() const { return caption_; }
    void setCaption(std::string text);
    // Bordered frames draw an etched line round their area.
    bool border() const { return border_; }
    void setBorder(bool on);
    ControlState state() const override;

private:
    std::string caption_;
    bool border_ = true;
};

class PictureBox : public Colored {
public:
    PictureBox(const Parent& parent, std::string name, const Rect& bounds, int index = -1);
    bool border() const { return border_; }
    void setBorder(bool on);

private:
    bool border_ = true;
};

class TextBox : public Colored {
public:
    TextBox(const Parent& parent, std::string name, const Rect& bounds, int index = -1);
    const std::string& text() const { return text_; }
    // Raises Change when the text differs.
    void setText(std::string text);
    // The user edited the text in the window that shows it: the window
    // already holds it, only the state follows; Change is raised.
    void textEdited(std::string text);
    // Raised after every change of the text, the user's and code's alike.
    std::function<void()> Change;
    bool multiLine() const { return multiLine_; }
    void setMultiLine(bool on);
    bool locked() const { return locked_; }  // read-only for the user
    void setLocked(bool on);
    bool focusable() const override { return true; }
    ControlState state() const override;

private:
    std::string text_;
    bool multiLine_ = false;
    bool locked_ = false;
};

// A drop-down list the user picks from and cannot type into. Its Click
// follows the rule of an option group: selecting an entry other than the
// selected one raises it, whether the user or code selects; clearing the
// selection (to -1, or by clear()) raises nothing.
class ComboBox : public Control {
public:
    ComboBox(const Parent& parent, std::string name, const Rect& bounds, int index = -1);
    const std::vector<std::string>& items() const { return items_; }
    void addItem(std::string text);
    // Empties the list and clears the selection.
    void clear();
    int listIndex() const { return listIndex_; }
    // -1 clears the selection; outside -1 .. items()-1 throws RunError 380.
    void setListIndex(int i);
    // The selected entry's text, "" for none.
    std::string text() const;
    bool focusable() const override { return true; }
    ControlState state() const override;
    // A click opens the list; only picking an entry changes anything.
    void userClick() override {}

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

enum class ShapeKind { rectangle, square };

// A windowless shape; a square keeps to the middle of its area.
class Shape : public Control {
public:
    Shape(const Parent& parent, std::string name, const Rect& bounds, int index = -1);
    ShapeKind shape() const { return shape_; }
    void setShape(ShapeKind k);
    Color fillColor() const { return fillColor_; }
    void setFillColor(Color c);
    bool filled() const { return filled_; }  // solid fill, else transparent
    void setFilled(bool on);
    Color borderColor() const { return borderColor_; }
    void setBorderColor(Color c);
    ControlState state() const override;

private:
    ShapeKind shape_ = ShapeKind::rectangle;
    Color fillColor_ = color::black;
    bool filled_ = false;
    Color borderColor_ = color::windowText;
};

// A windowless line from (x1, y1) to (x2, y2), container coordinates.
class Line : public Control {
public:
    Line(const Parent& parent, std::string name, int x1, int y1, int x2, int y2, int index = -1);
    int x1() const { return x1_; }
    int y1() const { return y1_; }
    int x2() const { return x2_; }
    int y2() const { return y2_; }
    Color borderColor() const { return borderColor_; }
    void setBorderColor(Color c);

private:
    int x1_, y1_, x2_, y2_;
    Color borderColor_ = color::windowText;
};

}  // namespace orr::ui
