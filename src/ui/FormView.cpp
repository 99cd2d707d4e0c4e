#include "FormView.h"

#include "Form.h"

#include <algorithm>

namespace orr::ui {

FormView viewOf(const Form& form) {
    FormView view;
    view.visible = form.visible();
    view.focus = form.activeControl();
    for (const Control* c : form.controls()) {
        view.controls.push_back(c->state());
        if (c->kind() != ControlKind::frame || c->index() < 0) continue;
        bool listed = std::any_of(view.frontFrames.begin(), view.frontFrames.end(),
                                  [&](const auto& f) { return f.first == c->name(); });
        if (!listed) view.frontFrames.emplace_back(c->name(), form.frontIndex(c->name()));
    }
    if (const FormPeer* peer = form.peer()) peer->readBack(view);
    return view;
}

}  // namespace orr::ui
