#include "WizardLook.h"

namespace orr::wizard {

void frameWindow(ui::Form& form) {
    form.setTitleBar(false);
    form.setBorderStyle(ui::BorderStyle::fixedDialog);
    form.setStartPosition(ui::StartPosition::windowsDefault);
    form.setClientSize(kWidth, 306);
    form.setFont(kSansSerif);
}

void stylePanels(ui::ControlArray<ui::Frame>& panels) {
    for (int i = 0; i < panels.count(); ++i) {
        ui::Frame& panel = panels(i);
        panel.setBorder(false);
        panel.setBackColor(isEnd(i) ? ui::color::white : kPanelGrey);
    }
}

void styleButtonRow(ui::Form& form, const ButtonRow& row) {
    row.shadow.setBorderColor(kOther);
    row.light.setBorderColor(ui::color::white);
    row.cancel.setCaption("Cancel");
    row.back.setCaption("< &Back");
    row.next.setCaption("&Next >");
    row.finish.setCaption("&Finish");
    row.back.setEnabled(false);
    row.finish.setEnabled(false);
    form.setCancelButton(&row.cancel);
}

void moveStepMarker(ui::ControlArray<ui::Shape>& markers, ui::ControlArray<ui::Label>& labels, int from,
                    int to) {
    markers(from).setFillColor(from == markers.ubound() ? kFinishAhead : kOther);
    labels(from).setFontBold(false);
    markers(to).setFillColor(kCurrent);
    labels(to).setFontBold(true);
}

}  // namespace orr::wizard
