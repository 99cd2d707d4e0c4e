#include "Controls.h"

#include "Form.h"
#include "platform/error.h"

#include <algorithm>
#include <cstdlib>

namespace orr::ui {

Colored::Colored(const Parent& parent, ControlKind kind, std::string name, const Rect& bounds,
                 int index, Color foreColor, std::optional<Color> backColor)
    : Control(parent, kind, std::move(name), bounds, index),
      backColor_(backColor),
      foreColor_(foreColor) {}

Color Colored::backColor() const {
    if (backColor_) return *backColor_;
    if (auto* c = dynamic_cast<const Colored*>(container())) return c->backColor();
    return form().backColor();
}

void Colored::setBackColor(Color c) {
    backColor_ = c;
    changed(Aspect::colors);
}

void Colored::setForeColor(Color c) {
    foreColor_ = c;
    changed(Aspect::colors);
}

Label::Label(const Parent& parent, std::string name, const Rect& bounds, int index)
    : Colored(parent, ControlKind::label, std::move(name), bounds, index, color::buttonText) {
    setTabStop(false);
}

void Label::setCaption(std::string text) {
    caption_ = std::move(text);
    changed(Aspect::caption);
}

void Label::setAlignment(Alignment a) {
    alignment_ = a;
    changed(Aspect::style);
}

ControlState Label::state() const {
    auto s = Control::state();
    s.caption = caption_;
    s.fontBold = fontBold();
    return s;
}

CommandButton::CommandButton(const Parent& parent, std::string name, const Rect& bounds, int index)
    : Control(parent, ControlKind::commandButton, std::move(name), bounds, index) {}

void CommandButton::setCaption(std::string text) {
    caption_ = std::move(text);
    changed(Aspect::caption);
}

ControlState CommandButton::state() const {
    auto s = Control::state();
    s.caption = caption_;
    return s;
}

Toggle::Toggle(const Parent& parent, ControlKind kind, std::string name, const Rect& bounds, int index)
    : Colored(parent, kind, std::move(name), bounds, index, color::buttonText) {}

void Toggle::setCaption(std::string text) {
    caption_ = std::move(text);
    changed(Aspect::caption);
}

bool Toggle::store(bool on) {
    if (on == value_) return false;
    value_ = on;
    changed(Aspect::value);
    return true;
}

ControlState Toggle::state() const {
    auto s = Control::state();
    s.caption = caption_;
    s.value = value_;
    return s;
}

OptionButton::OptionButton(const Parent& parent, std::string name, const Rect& bounds, int index)
    : Toggle(parent, ControlKind::optionButton, std::move(name), bounds, index) {}

void OptionButton::setValue(bool on) {
    if (!on || value()) {
        store(on);
        return;
    }
    for (Control* c : form().controls()) {
        auto* other = dynamic_cast<OptionButton*>(c);
        if (other && other != this && other->container() == container()) other->store(false);
    }
    store(true);
    raiseClick();
}

CheckBox::CheckBox(const Parent& parent, std::string name, const Rect& bounds, int index)
    : Toggle(parent, ControlKind::checkBox, std::move(name), bounds, index) {}

void CheckBox::setValue(bool on) {
    if (store(on)) raiseClick();
}

Frame::Frame(const Parent& parent, std::string name, const Rect& bounds, int index)
    : Colored(parent, ControlKind::frame, std::move(name), bounds, index, color::buttonText) {
    setTabStop(false);
}

void Frame::setCaption(std::string text) {
    caption_ = std::move(text);
    changed(Aspect::caption);
}

void Frame::setBorder(bool on) {
    border_ = on;
    changed(Aspect::style);
}

ControlState Frame::state() const {
    auto s = Control::state();
    s.caption = caption_;
    return s;
}

PictureBox::PictureBox(const Parent& parent, std::string name, const Rect& bounds, int index)
    : Colored(parent, ControlKind::pictureBox, std::move(name), bounds, index, color::buttonText) {
    setTabStop(false);
}

void PictureBox::setBorder(bool on) {
    border_ = on;
    changed(Aspect::style);
}

TextBox::TextBox(const Parent& parent, std::string name, const Rect& bounds, int index)
    : Colored(parent, ControlKind::textBox, std::move(name), bounds, index, color::windowText,
              color::windowBackground) {}

void TextBox::setText(std::string text) {
    const bool differs = text != text_;
    text_ = std::move(text);
    changed(Aspect::text);
    if (differs && Change) Change();
}

void TextBox::textEdited(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    if (Change) Change();
}

void TextBox::setMultiLine(bool on) {
    multiLine_ = on;
    changed(Aspect::style);
}

void TextBox::setLocked(bool on) {
    locked_ = on;
    changed(Aspect::style);
}

ControlState TextBox::state() const {
    auto s = Control::state();
    s.text = text_;
    return s;
}

ComboBox::ComboBox(const Parent& parent, std::string name, const Rect& bounds, int index)
    : Control(parent, ControlKind::comboBox, std::move(name), bounds, index) {}

void ComboBox::addItem(std::string text) {
    items_.push_back(std::move(text));
    changed(Aspect::items);
}

void ComboBox::clear() {
    items_.clear();
    listIndex_ = -1;
    changed(Aspect::items);
}

void ComboBox::setListIndex(int i) {
    if (i < -1 || i >= static_cast<int>(items_.size())) throw RunError(380, "Invalid property value");
    if (i == listIndex_) return;
    listIndex_ = i;
    changed(Aspect::value);
    if (i >= 0) raiseClick();
}

std::string ComboBox::text() const {
    return listIndex_ < 0 ? std::string() : items_[static_cast<std::size_t>(listIndex_)];
}

ControlState ComboBox::state() const {
    auto s = Control::state();
    s.list = items_;
    s.listIndex = listIndex_;
    s.text = text();
    return s;
}

Shape::Shape(const Parent& parent, std::string name, const Rect& bounds, int index)
    : Control(parent, ControlKind::shape, std::move(name), bounds, index) {
    setTabStop(false);
}

void Shape::setShape(ShapeKind k) {
    shape_ = k;
    changed(Aspect::style);
}

void Shape::setFillColor(Color c) {
    fillColor_ = c;
    changed(Aspect::colors);
}

void Shape::setFilled(bool on) {
    filled_ = on;
    changed(Aspect::colors);
}

void Shape::setBorderColor(Color c) {
    borderColor_ = c;
    changed(Aspect::colors);
}

ControlState Shape::state() const {
    auto s = Control::state();
    s.fillColor = fillColor_;
    return s;
}

namespace {
Rect lineBounds(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1};
}
}  // namespace

Line::Line(const Parent& parent, std::string name, int x1, int y1, int x2, int y2, int index)
    : Control(parent, ControlKind::line, std::move(name), lineBounds(x1, y1, x2, y2), index),
      x1_(x1),
      y1_(y1),
      x2_(x2),
      y2_(y2) {
    setTabStop(false);
}

void Line::setBorderColor(Color c) {
    borderColor_ = c;
    changed(Aspect::colors);
}

}  // namespace orr::ui
