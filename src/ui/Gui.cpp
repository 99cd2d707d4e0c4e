#include "Gui.h"

#include "Controls.h"

#include <algorithm>
#include <new>

namespace orr::ui {

Gui::~Gui() = default;

Form* Gui::findForm(std::string_view name) const {
    for (Form* f : forms_)
        if (f->name() == name) return f;
    return nullptr;
}

bool Gui::anyFormVisible() const {
    return std::any_of(forms_.begin(), forms_.end(),
                       [](const Form* f) { return f->loaded() && f->visible(); });
}

void Gui::remove(Form* f) {
    std::erase(forms_, f);
    for (auto& m : modalShows_) std::erase(m.disabled, f);
    std::erase_if(modalShows_, [f](const ModalShow& m) { return m.form == f; });
}

void Gui::show(Form& form, Modality modality) {
    if (ended_) return;
    if (modality == Modality::modal && form.visible_)
        throw RunError(400, "Form already displayed; can't show modally");
    if (modality == Modality::modeless && !form.visible_ && !modalShows_.empty() &&
        !form.showsOverModal_)
        throw RunError(401, "Can't show non-modal form when modal form is displayed");
    form.loaded_ = true;
    if (!form.peer_) form.peer_ = createPeer(form);
    form.visible_ = true;
    // Over a modal form it takes input again, though that show disabled it.
    if (form.showsOverModal_ && !form.windowEnabled_) {
        form.windowEnabled_ = true;
        if (form.peer_) form.peer_->formChanged(Aspect::enabled);
    }
    if (!form.shownBefore_) {
        // Shown the first time: the focus goes to the first stop in tab order.
        form.shownBefore_ = true;
        if (!form.active_) {
            auto order = form.tabOrder();
            if (!order.empty()) form.active_ = order.front();
        }
    }
    if (modality == Modality::modal) {
        form.modal_ = true;
        ModalShow record{&form, {}};
        for (Form* other : forms_) {
            if (other == &form || !other->windowEnabled_) continue;
            other->windowEnabled_ = false;
            record.disabled.push_back(other);
            if (other->peer_) other->peer_->formChanged(Aspect::enabled);
        }
        modalShows_.push_back(std::move(record));
    }
    if (form.peer_) {
        form.peer_->formChanged(Aspect::visible);
        form.peer_->focusChanged(form.active_);
    }
    if (modality == Modality::modeless) return;

    struct Release {
        Gui& gui;
        Form& form;
        ~Release() { gui.releaseModal(form); }
    } release{*this, form};
    runModal(form);
}

// The other forms take input again before the modal one goes, so that the
// window system hands the activation back to them and not to another program.
void Gui::releaseModal(Form& form) {
    form.modal_ = false;
    auto it = std::find_if(modalShows_.begin(), modalShows_.end(),
                           [&](const ModalShow& m) { return m.form == &form; });
    if (it == modalShows_.end()) return;
    std::vector<Form*> disabled = std::move(it->disabled);
    modalShows_.erase(it);
    for (Form* other : disabled) {
        other->windowEnabled_ = true;
        if (other->peer_) other->peer_->formChanged(Aspect::enabled);
    }
}

void Gui::hide(Form& form) {
    if (!form.visible_) return;
    if (form.modal_) releaseModal(form);
    form.visible_ = false;
    if (form.peer_) form.peer_->formChanged(Aspect::visible);
}

void Gui::unload(Form& form) {
    hide(form);
    discard(form);
    form.loaded_ = false;
}

void Gui::discard(Form& form) {
    if (!form.peer_) return;
    form.peer_->destroyWindows();
    retired_.push_back(std::move(form.peer_));
}

void Gui::discardAll() {
    for (Form* f : forms_) discard(*f);
    retired_.clear();
}

bool Gui::click(Control& control) { return deliverClick(control); }

bool Gui::deliverClick(Control& control) {
    Form& form = control.form();
    if (ended_ || !form.visible() || !form.windowEnabled() || !control.reachable()) return false;
    if (control.focusable()) form.setFocus(control);
    dispatch([&control] { control.userClick(); });
    return true;
}

bool Gui::type(TextBox& box, const std::string& text) {
    Form& form = box.form();
    if (ended_ || !form.visible() || !form.windowEnabled() || !box.reachable() || box.locked())
        return false;
    form.setFocus(box);
    box.setText(text);
    return true;
}

bool Gui::choose(ComboBox& box, int index) {
    if (index < 0 || index >= static_cast<int>(box.items().size())) throw RunError(380, "Invalid property value");
    Form& form = box.form();
    if (ended_ || !form.visible() || !form.windowEnabled() || !box.reachable()) return false;
    form.setFocus(box);
    dispatch([&box, index] { box.setListIndex(index); });
    return true;
}

bool Gui::key(Form& form, const KeyPress& key) {
    if (ended_) return false;
    return form.pressKey(key);
}

void Gui::dispatch(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const RunError& e) {
        if (!unhandled_) throw;
        failed(e);
    } catch (const std::bad_alloc&) {
        if (!unhandled_) throw;
        failed(RunError(7, "Out of memory"));
    }
}

void Gui::failed(const RunError& e) {
    unhandled_(e);
    endProgram();
}

void Gui::endProgram() {
    if (!ended_) {
        ended_ = true;
        if (endHook_) endHook_();
        for (Form* f : forms_) {
            discard(*f);
            f->visible_ = false;
            f->modal_ = false;
            f->loaded_ = false;
        }
        modalShows_.clear();
    }
    finishEnd();
    throw ProgramEnded{};  // a backend that does not exit unwinds
}

}  // namespace orr::ui
