// What the scenario driver relies on, on every toolkit available here: the
// program's loops ask the input source for the script's next lines (also
// inside a modal show), pending events go before that, and a form's view
// (what a dump prints) is what its windows show.
#include "support/ui_backends.h"
#include "ui/ControlArray.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/FormView.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace orr {
namespace {

using ui::Modality;

class PanelForm : public ui::Form {
public:
    PanelForm(ui::Gui& gui, const std::string& name) : ui::Form(gui, name) {
        setCaption(name);
        setClientSize(300, 200);
        optA.setCaption("A");
        optB.setCaption("B");
        optA.setValue(true);
        cmdCancel.setCaption("Cancel");
        cmdNext.setCaption("Next");
        setCancelButton(&cmdCancel);
    }

    ui::ControlArray<ui::Frame> panels{"fraSteps"};
    // The panels come before the controls they hold.
    bool panelsMade = [this] {
        for (int i = 0; i < 3; ++i) panels.add(*this, ui::Rect{8, 8, 200, 80});
        return true;
    }();
    ui::OptionButton optA{panels(1), "optA", {8, 8, 100, 20}};
    ui::OptionButton optB{panels(1), "optB", {8, 32, 100, 20}};
    ui::TextBox txtPath{panels(2), "txtPath", {8, 8, 180, 25}};
    ui::Label lblHead{*this, "lblHead", {8, 96, 200, 17}};
    ui::CommandButton cmdCancel{*this, "cmdCancel", {8, 160, 65, 25}};
    ui::CommandButton cmdNext{*this, "cmdNext", {152, 160, 65, 25}};
};

class ScriptedInput : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        gui = test::makeUiBackend(GetParam());
        if (!gui) GTEST_SKIP() << "no desktop to show windows on";
    }

    // Runs `script` through the input source, one line a call.
    void feed(std::vector<std::function<void()>> script) {
        lines = std::move(script);
        gui->setInput([this] {
            if (next == lines.size()) return false;
            lines[next++]();
            return true;
        });
    }

    std::unique_ptr<ui::Gui> gui;
    std::vector<std::function<void()>> lines;
    std::size_t next = 0;
};

TEST_P(ScriptedInput, LoopsServeTheSourceInsideModalShowsAfterPendingEvents) {
    PanelForm main(*gui, "frmMain");
    PanelForm wizard(*gui, "frmWizard");
    std::vector<std::string> log;
    main.cmdNext.Click = [&] {
        log.push_back("show");
        wizard.show(Modality::modal);
        log.push_back("returned");
    };
    wizard.cmdNext.Click = [&] { log.push_back("wizard next"); };
    wizard.cmdCancel.Click = [&] {
        log.push_back("wizard cancel");
        wizard.hide();
    };
    main.cmdCancel.Click = [&] { log.push_back("main cancel"); };
    feed({
        [&] { gui->click(main.cmdNext); },
        // Inside the modal show: a click queued now comes before the next line.
        [&] {
            log.push_back("line 2");
            gui->queueClick(wizard.cmdNext);
        },
        [&] { log.push_back("line 3"); },
        [&] { gui->click(wizard.cmdCancel); },
        [&] { main.hide(); },
    });
    main.show();
    gui->run();

    EXPECT_EQ(log, (std::vector<std::string>{"show", "line 2", "wizard next", "line 3", "wizard cancel",
                                             "returned"}));
    EXPECT_EQ(next, lines.size()) << "the loop ends once no form is visible";

    // A modal show with nothing more to come cannot go on.
    next = 0;
    feed({[&] { wizard.show(Modality::modal); }});
    main.show();
    try {
        gui->run();
        ADD_FAILURE() << "the modal show returned without input";
    } catch (const ui::InputExhausted& e) {
        EXPECT_EQ(e.form, "frmWizard");
    }
}

TEST_P(ScriptedInput, AFormsViewShowsItsControlsAsTheProgramLeftThem) {
    PanelForm form(*gui, "frmWizard");
    form.show();
    form.panels(1).bringToFront();
    form.optB.setValue(true);
    form.txtPath.setText("C:\\Backups");
    form.cmdNext.setEnabled(false);
    form.lblHead.setCaption("Step 1");
    form.lblHead.setFontBold(true);
    ASSERT_TRUE(gui->click(form.optB));

    ui::FormView view = ui::viewOf(form);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.focus, &form.optB);
    EXPECT_EQ(view.frontFrames, (std::vector<std::pair<std::string, int>>{{"fraSteps", 1}}));
    ASSERT_EQ(view.controls.size(), form.controls().size());
    auto stateOf = [&](const ui::Control& c) {
        for (std::size_t i = 0; i < form.controls().size(); ++i)
            if (form.controls()[i] == &c) return view.controls[i];
        return ui::ControlState{};
    };
    EXPECT_EQ(stateOf(form.optA).value, false);
    EXPECT_EQ(stateOf(form.optB).value, true);
    EXPECT_EQ(stateOf(form.txtPath).text, "C:\\Backups");
    EXPECT_FALSE(stateOf(form.cmdNext).enabled);
    EXPECT_TRUE(stateOf(form.cmdCancel).enabled);
    EXPECT_EQ(stateOf(form.lblHead).caption, "Step 1");
    EXPECT_EQ(stateOf(form.lblHead).fontBold, true);

    form.panels(2).bringToFront();
    ASSERT_TRUE(gui->type(form.txtPath, "D:\\Elsewhere"));
    form.hide();
    view = ui::viewOf(form);
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(view.frontFrames.front().second, 2);
    EXPECT_EQ(stateOf(form.txtPath).text, "D:\\Elsewhere");
    EXPECT_EQ(view.focus, &form.txtPath) << "where the focus goes back to";
}

INSTANTIATE_TEST_SUITE_P(Toolkits, ScriptedInput, ::testing::ValuesIn(test::uiBackendNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace orr
