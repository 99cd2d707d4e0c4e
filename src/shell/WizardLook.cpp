#include "WizardLook.h"

#include <utility>

namespace orr::wizard {

void frameWindow(ui::Form& form, int extra) {
    form.setTitleBar(false);
    form.setBorderStyle(ui::BorderStyle::fixedDialog);
    form.setStartPosition(ui::StartPosition::windowsDefault);
    form.setClientSize(kWidth, 306 + extra);
    form.setFont(kSansSerif);
}

Rail::Rail(ui::Form& form, int x1, int y1, int x2, int y2, int extra)
    : picWiz(form, "picWiz", {kRail.left, kRail.top, kRail.width, kRail.height + extra}), linRail(picWiz, "Line1", x1, y1, x2, y2) {
    picWiz.setBorder(false);
    picWiz.setBackColor(ui::color::black);
    linRail.setBorderColor(ui::color::white);
}

void Rail::move(int from, int to) {
    shpSteps(from).setFillColor(from == shpSteps.ubound() ? kFinishAhead : kOther);
    lblSteps(from).setFontBold(false);
    shpSteps(to).setFillColor(kCurrent);
    lblSteps(to).setFontBold(true);
}

void stylePanels(ui::ControlArray<ui::Frame>& panels) {
    for (int i = 0; i < panels.count(); ++i) {
        ui::Frame& panel = panels(i);
        panel.setBorder(false);
        panel.setBackColor(isEnd(i) ? ui::color::white : kPanelGrey);
    }
}

ButtonRow::ButtonRow(ui::Form& form, int extra)
    : linBarShadow(form, "Line2", 0, kShadowY + extra, kWidth, kShadowY + extra),
      linBarLight(form, "Line3", 0, kShadowY + extra + 1, kWidth, kShadowY + extra + 1),
      cmdCancel(form, "cmdCancel", below(kCancelBox, extra)),
      cmdBack(form, "cmdBack", below(kBackBox, extra)),
      cmdNext(form, "cmdNext", below(kNextBox, extra)),
      cmdFinish(form, "cmdFinish", below(kFinishBox, extra)) {
    linBarShadow.setBorderColor(kOther);
    linBarLight.setBorderColor(ui::color::white);
    cmdCancel.setCaption("Cancel");
    cmdBack.setCaption("< &Back");
    cmdNext.setCaption("&Next >");
    cmdFinish.setCaption("&Finish");
    cmdBack.setEnabled(false);
    cmdFinish.setEnabled(false);
    form.setCancelButton(&cmdCancel);
}

void ButtonRow::set(bool back, bool next, bool finish, bool cancel) {
    const std::pair<ui::CommandButton*, bool> row[] = {
        {&cmdBack, back}, {&cmdCancel, cancel}, {&cmdFinish, finish}, {&cmdNext, next}};
    for (const bool enabling : {true, false})
        for (const auto& [button, on] : row)
            if (on == enabling) button->setEnabled(on);
}

}  // namespace orr::wizard
