#include "Control.h"

#include "Controls.h"
#include "Form.h"

#include <cctype>

namespace orr::ui {

Parent::Parent(Frame& frame) : form_(frame.form()), container_(&frame) {}
Parent::Parent(PictureBox& picture) : form_(picture.form()), container_(&picture) {}

Control::Control(const Parent& parent, ControlKind kind, std::string name, const Rect& bounds,
                 int index)
    : form_(parent.form()),
      container_(parent.container()),
      kind_(kind),
      name_(std::move(name)),
      index_(index),
      bounds_(bounds),
      tabIndex_(form_.nextSequence()),
      zOrder_(form_.nextZOrder()) {
    form_.add(this);
}

Control::~Control() { form_.remove(this); }

void Control::setBounds(const Rect& r) {
    if (r == bounds_) return;
    bounds_ = r;
    changed(Aspect::bounds);
}

void Control::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    changed(Aspect::enabled);
}

void Control::setVisible(bool on) {
    if (on == visible_) return;
    visible_ = on;
    changed(Aspect::visible);
}

void Control::bringToFront() {
    zOrder_ = form_.nextZOrder();
    changed(Aspect::zOrder);
}

Font Control::font() const {
    if (font_) return *font_;
    return container_ ? container_->font() : form_.font();
}

void Control::setFont(const Font& f) {
    font_ = f;
    changed(Aspect::font);
}

void Control::setFontBold(bool on) {
    Font f = font();
    f.bold = on;
    setFont(f);
}

void Control::setFontUnderline(bool on) {
    Font f = font();
    f.underline = on;
    setFont(f);
}

bool Control::reachable() const {
    if (!form_.loaded()) return false;
    for (const Control* c = this; c; c = c->container_)
        if (!c->enabled_ || !c->visible_) return false;
    return true;
}

ControlState Control::state() const {
    ControlState s;
    s.name = name_;
    s.index = index_;
    s.kind = kind_;
    s.enabled = enabled_;
    s.visible = visible_;
    return s;
}

void Control::changed(Aspect what) { form_.controlChanged(*this, what); }

char acceleratorOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
    }
    return 0;
}

}  // namespace orr::ui
