#include "HeadlessGui.h"

#include <algorithm>

namespace orr::ui {

HeadlessGui::HeadlessGui() = default;
HeadlessGui::~HeadlessGui() = default;

void HeadlessGui::queueClick(Control& control) { pending_.push_back({&control.form(), &control}); }

void HeadlessGui::deliverPending() {
    while (!pending_.empty() && !ended()) {
        Pending p = pending_.front();
        pending_.pop_front();
        const auto& loaded = forms();
        if (std::find(loaded.begin(), loaded.end(), p.form) == loaded.end()) continue;
        const auto& controls = p.form->controls();
        if (std::find(controls.begin(), controls.end(), p.control) == controls.end()) continue;
        deliverClick(*p.control);  // a control that cannot take it now drops it
    }
}

void HeadlessGui::runModal(Form& form) {
    while (form.shownModal() && !ended()) {
        if (!pending_.empty()) {
            deliverPending();
            continue;
        }
        if (!pullInput()) throw InputExhausted{form.name()};
    }
}

void HeadlessGui::run() {
    while (anyFormVisible() && !ended()) {
        freeRetired();
        if (!pending_.empty()) {
            deliverPending();
            continue;
        }
        if (!pullInput()) return;
    }
}

}  // namespace orr::ui
