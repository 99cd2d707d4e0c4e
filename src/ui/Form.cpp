#include "Form.h"

#include "Controls.h"
#include "Gui.h"

#include <algorithm>
#include <cctype>

namespace orr::ui {

Form::Form(Gui& gui, std::string name) : gui_(gui), name_(std::move(name)) { gui_.add(this); }

Form::~Form() {
    if (peer_) peer_->destroyWindows();
    gui_.remove(this);
}

void Form::add(Control* c) { controls_.push_back(c); }

void Form::remove(Control* c) {
    // The derived form's controls go first: take the windows down before
    // the first of them, so that no window outlives its control.
    if (peer_) peer_->destroyWindows();
    if (active_ == c) active_ = nullptr;
    std::erase(controls_, c);
}

void Form::setCaption(std::string text) {
    caption_ = std::move(text);
    formChanged(Aspect::caption);
}

void Form::setClientSize(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
    formChanged(Aspect::bounds);
}

void Form::setFont(const Font& f) {
    font_ = f;
    formChanged(Aspect::font);
}

void Form::setBackColor(Color c) {
    backColor_ = c;
    formChanged(Aspect::colors);
}

void Form::show(Modality modality) { gui_.show(*this, modality); }
void Form::hide() { gui_.hide(*this); }
void Form::unload() { gui_.unload(*this); }

void Form::formChanged(Aspect what) {
    if (peer_) peer_->formChanged(what);
}

void Form::controlChanged(Control& c, Aspect what) {
    if (peer_) peer_->controlChanged(c, what);
    if (what == Aspect::enabled || what == Aspect::visible) keepFocusReachable();
}

bool Form::setFocus(Control& control) {
    if (&control.form() != this || !control.focusable() || !control.reachable()) return false;
    active_ = &control;
    if (peer_) peer_->focusChanged(active_);
    return true;
}

// A focused control that is disabled or hidden hands the focus on to the
// next one in tab order, as the user would expect to continue from there.
void Form::keepFocusReachable() {
    if (!active_ || active_->reachable()) return;
    active_ = nextInTabOrder(active_, false);
    if (peer_) peer_->focusChanged(active_);
}

namespace {

bool groupHasSelection(const std::vector<Control*>& controls, const OptionButton& option) {
    return std::any_of(controls.begin(), controls.end(), [&](Control* c) {
        auto* o = dynamic_cast<OptionButton*>(c);
        return o && o->container() == option.container() && o->value() && o->reachable();
    });
}

bool byTabIndex(const Control* a, const Control* b) { return a->tabIndex() < b->tabIndex(); }

}  // namespace

std::vector<Control*> Form::tabOrder() const {
    std::vector<Control*> order;
    for (Control* c : controls_) {
        if (!c->focusable() || !c->tabStop() || !c->reachable()) continue;
        auto* option = dynamic_cast<OptionButton*>(c);
        if (option && !option->value() && groupHasSelection(controls_, *option)) continue;
        order.push_back(c);
    }
    std::stable_sort(order.begin(), order.end(), byTabIndex);
    return order;
}

Control* Form::nextInTabOrder(Control* from, bool backwards) const {
    auto order = tabOrder();
    if (order.empty()) return nullptr;
    if (!from) return backwards ? order.back() : order.front();
    auto at = std::find(order.begin(), order.end(), from);
    if (at != order.end()) {
        auto i = at - order.begin();
        auto n = static_cast<std::ptrdiff_t>(order.size());
        return order[static_cast<std::size_t>((i + (backwards ? n - 1 : 1)) % n)];
    }
    // Not a stop itself (a label, a cleared option): go by its tab index.
    if (backwards) {
        for (auto it = order.rbegin(); it != order.rend(); ++it)
            if ((*it)->tabIndex() < from->tabIndex()) return *it;
        return order.back();
    }
    for (Control* c : order)
        if (c->tabIndex() > from->tabIndex()) return c;
    return order.front();
}

bool Form::pressKey(const KeyPress& key) {
    if (!loaded_ || !visible_ || !windowEnabled_) return false;
    switch (key.key) {
    case Key::tab: {
        if (key.alt || key.ctrl) return false;
        Control* next = nextInTabOrder(active_, key.shift);
        return next && setFocus(*next);
    }
    case Key::escape:
        return cancelButton_ && gui_.deliverClick(*cancelButton_);
    case Key::enter: {
        auto* box = dynamic_cast<TextBox*>(active_);
        if (box && box->multiLine()) return false;
        if (auto* b = dynamic_cast<CommandButton*>(active_)) return gui_.deliverClick(*b);
        return false;
    }
    case Key::space:
        if (dynamic_cast<CommandButton*>(active_) || dynamic_cast<OptionButton*>(active_) ||
            dynamic_cast<CheckBox*>(active_))
            return gui_.deliverClick(*active_);
        return false;
    case Key::up:
    case Key::left:
        return moveInOptionGroup(-1);
    case Key::down:
    case Key::right:
        return moveInOptionGroup(1);
    case Key::f4:
        if (!key.alt) return false;
        frameCloseRequested();
        return true;
    case Key::character:
        if (key.ctrl) return false;
        // Without Alt a letter is the focused text box's or list's own (a
        // list picks the next entry starting with it).
        if (!key.alt && (dynamic_cast<TextBox*>(active_) || dynamic_cast<ComboBox*>(active_))) return false;
        return pressAccelerator(
            static_cast<char>(std::tolower(static_cast<unsigned char>(key.character))));
    }
    return false;
}

// Several controls may share a letter: the first after the focus in tab
// order wins. A label or frame passes the focus to the control after it.
bool Form::pressAccelerator(char letter) {
    if (letter == 0) return false;
    std::vector<Control*> matches;
    for (Control* c : controls_)
        if (c->accelerator() == letter && c->reachable()) matches.push_back(c);
    if (matches.empty()) return false;
    std::stable_sort(matches.begin(), matches.end(), byTabIndex);
    Control* target = matches.front();
    if (active_)
        for (Control* c : matches)
            if (c->tabIndex() > active_->tabIndex()) {
                target = c;
                break;
            }
    if (target->focusable()) return gui_.deliverClick(*target);
    Control* next = nextInTabOrder(target, false);
    return next && setFocus(*next);
}

bool Form::moveInOptionGroup(int step) {
    auto* current = dynamic_cast<OptionButton*>(active_);
    if (!current) return false;
    std::vector<Control*> group;
    for (Control* c : controls_) {
        auto* o = dynamic_cast<OptionButton*>(c);
        if (o && o->container() == current->container() && o->reachable()) group.push_back(o);
    }
    std::stable_sort(group.begin(), group.end(), byTabIndex);
    auto at = std::find(group.begin(), group.end(), current);
    if (at == group.end()) return false;
    auto n = static_cast<std::ptrdiff_t>(group.size());
    auto i = ((at - group.begin()) + step + n) % n;
    return gui_.deliverClick(*group[static_cast<std::size_t>(i)]);
}

void Form::frameCloseRequested() {
    if (!loaded_) return;
    if (FrameClose)
        gui_.dispatch(FrameClose);
    else
        unload();
}

Control* Form::find(std::string_view name, int index) const {
    for (Control* c : controls_)
        if (c->name() == name && c->index() == index) return c;
    return nullptr;
}

int Form::frontIndex(std::string_view arrayName) const {
    const Control* front = nullptr;
    for (Control* c : controls_)
        if (c->name() == arrayName && c->index() >= 0 && (!front || c->zOrder() > front->zOrder()))
            front = c;
    return front ? front->index() : -1;
}

}  // namespace orr::ui
