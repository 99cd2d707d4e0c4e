#include "ui/program_fixture.h"

namespace orr::test {

void expectLaidOut(const ui::Form& form) {
    if (auto client = nativeClientArea(form)) {
        EXPECT_EQ(*client, (ui::Rect{0, 0, form.clientWidth(), form.clientHeight()}));
    }
    for (const ui::Control* c : form.controls()) {
        ui::Rect r = c->bounds();
        for (const ui::Control* in = c->container(); in; in = in->container()) {
            r.left += in->bounds().left;
            r.top += in->bounds().top;
        }
        if (c->kind() != ui::ControlKind::frame && c->kind() != ui::ControlKind::line) {
            EXPECT_GE(r.left, 0) << c->name();
            EXPECT_GE(r.top, 0) << c->name();
            EXPECT_LE(r.left + r.width, form.clientWidth()) << c->name();
            EXPECT_LE(r.top + r.height, form.clientHeight()) << c->name();
        }
        if (auto placed = nativePlace(*c)) {
            EXPECT_EQ(*placed, r) << c->name();
        }
    }
}

}  // namespace orr::test
