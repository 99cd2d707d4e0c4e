// The form layer's behaviour that the wizards and the scenario driver rely
// on, on every toolkit available here: clicks and option groups, the
// keyboard, re-entrant handlers, queued clicks at a yield, modal shows,
// ending the program from deep inside nested calls, and the input source
// the driver feeds. A form's view is what every scenario's dump prints;
// with windows it is read back from them, so it tells whether the window
// agrees with the state.
#include "platform/error.h"
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

using ui::Key;
using ui::KeyPress;
using ui::Modality;

struct Log {
    std::vector<std::string> events;
    void operator()(std::string e) { events.push_back(std::move(e)); }
};

// A small wizard-like form: an option group in a frame, a text box, a
// button row with accelerators and a cancel button.
class TestForm : public ui::Form {
public:
    TestForm(ui::Gui& gui, const std::string& name) : ui::Form(gui, name) {
        setCaption(name);
        setClientSize(300, 200);
        setStartPosition(ui::StartPosition::centerScreen);
        optA.setCaption("&Alpha");
        optB.setCaption("&Beta");
        optA.setValue(true);
        cmdBack.setCaption("< &Back");
        cmdNext.setCaption("&Next >");
        cmdCancel.setCaption("Cancel");
        setCancelButton(&cmdCancel);
        int tab = 0;
        for (ui::Control* c : std::initializer_list<ui::Control*>{&cmdCancel, &optA, &optB, &text1, &cmdBack, &cmdNext})
            c->setTabIndex(tab++);
    }

    ui::Frame frame{*this, "Frame1", {8, 8, 200, 80}};
    ui::OptionButton optA{frame, "optA", {8, 16, 120, 20}};
    ui::OptionButton optB{frame, "optB", {8, 44, 120, 20}};
    ui::Label label{*this, "Label1", {8, 96, 150, 17}};
    ui::TextBox text1{*this, "text1", {8, 120, 200, 25}};
    ui::CommandButton cmdCancel{*this, "cmdCancel", {8, 160, 65, 25}};
    ui::CommandButton cmdBack{*this, "cmdBack", {80, 160, 65, 25}};
    ui::CommandButton cmdNext{*this, "cmdNext", {152, 160, 65, 25}};
};

// A drop-down list and a check box between two buttons.
class ChoiceForm : public ui::Form {
public:
    ChoiceForm(ui::Gui& gui, const std::string& name) : ui::Form(gui, name) {
        setCaption(name);
        setClientSize(300, 120);
        setStartPosition(ui::StartPosition::centerScreen);
        cmdFirst.setCaption("&First");
        chkKeep.setCaption("&Keep a copy");
        cmdLast.setCaption("&Last");
        for (const char* entry : {"Documents", "Saved Games", "Desktop"}) cboWhere.addItem(entry);
    }

    // The window's view of a control, by name.
    static ui::ControlState shown(const ui::Form& form, const std::string& name) {
        for (const ui::ControlState& c : ui::viewOf(form).controls)
            if (c.name == name) return c;
        ADD_FAILURE() << "no " << name;
        return {};
    }

    ui::CommandButton cmdFirst{*this, "cmdFirst", {8, 8, 65, 25}};
    ui::ComboBox cboWhere{*this, "cboWhere", {8, 40, 160, 21}};
    ui::CheckBox chkKeep{*this, "chkKeep", {8, 70, 160, 17}};
    ui::CommandButton cmdLast{*this, "cmdLast", {8, 92, 65, 25}};
};

class FormLayer : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        gui = test::makeUiBackend(GetParam());
        if (!gui) GTEST_SKIP() << "no desktop to show windows on";
    }
    std::unique_ptr<ui::Gui> gui;
};

TEST_P(FormLayer, OptionButtonsInOneContainerFormOneGroup) {
    TestForm form(*gui, "frmTest");
    ui::OptionButton elsewhere(form, "optOther", {220, 16, 70, 20});
    elsewhere.setValue(true);
    Log log;
    form.optA.Click = [&] { log("A"); };
    form.optB.Click = [&] { log("B"); };
    form.show();

    // That a click selects and focuses is the main-menu scenarios'.
    ASSERT_TRUE(gui->click(form.optB));
    EXPECT_TRUE(elsewhere.value()) << "another container is another group";

    gui->click(form.optB);  // already selected: no change, no Click
    form.optA.setValue(true);  // selecting in code raises Click too
    form.optA.setValue(false);  // clearing raises nothing
    EXPECT_EQ(log.events, (std::vector<std::string>{"B", "A"}));
    EXPECT_FALSE(form.optB.value());
}

// The first show focuses the first tab stop, and Tab skips what cannot
// take the focus. Esc and accelerators press their button only when it
// can be pressed.
TEST_P(FormLayer, TheKeyboardFollowsTheTabOrderAndPressesOnlyWhatCanBePressed) {
    TestForm form(*gui, "frmTest");
    Log log;
    form.cmdCancel.Click = [&] { log("cancel"); };
    form.cmdNext.Click = [&] { log("next"); };
    form.cmdBack.Click = [&] { log("back"); };
    form.optB.Click = [&] { log("beta"); };
    form.show();
    EXPECT_EQ(form.activeControl(), &form.cmdCancel);

    form.cmdBack.setEnabled(false);
    std::vector<ui::Control*> visited;
    for (int i = 0; i < 4; ++i) {
        gui->key(form, {Key::tab});
        visited.push_back(form.activeControl());
    }
    // Only the selected option of a group is a stop; the disabled button is none.
    EXPECT_EQ(visited, (std::vector<ui::Control*>{&form.optA, &form.text1, &form.cmdNext, &form.cmdCancel}));
    EXPECT_TRUE(form.pressKey({Key::tab, 0, /*shift*/ true}));
    EXPECT_EQ(form.activeControl(), &form.cmdNext);
    form.cmdBack.setEnabled(true);

    gui->click(form.text1);
    EXPECT_TRUE(gui->key(form, {Key::escape}));
    EXPECT_EQ(form.activeControl(), &form.cmdCancel);
    EXPECT_TRUE(gui->key(form, {Key::character, 'n', false, /*alt*/ true}));
    EXPECT_EQ(form.activeControl(), &form.cmdNext);
    // With the focus on a button a plain letter is an accelerator too. Two
    // controls share "b": the first after the focus in tab order wins.
    EXPECT_TRUE(gui->key(form, {Key::character, 'b'}));
    EXPECT_TRUE(form.optB.value());
    EXPECT_TRUE(gui->key(form, {Key::character, 'b', false, true}));
    EXPECT_EQ(log.events, (std::vector<std::string>{"cancel", "next", "beta", "back"}));

    gui->click(form.text1);
    EXPECT_FALSE(gui->key(form, {Key::character, 'n'})) << "a letter typed into the text box";
    form.cmdNext.setEnabled(false);
    EXPECT_FALSE(gui->key(form, {Key::character, 'n', false, true}));
    EXPECT_EQ(log.events.size(), 4u);
}

// A modal show returns when its form goes, the other forms disabled
// meanwhile. Ending the program from inside nested calls in it unwinds
// them all and takes every window down.
TEST_P(FormLayer, ModalShowsReturnWhenTheFormGoesAndEndingUnwindsThemAndTheWindows) {
    TestForm main(*gui, "frmMain");
    TestForm dialog(*gui, "frmDialog");
    Log log;
    bool mainTookInputMeanwhile = true;
    dialog.cmdNext.Click = [&] {
        log("dialog next");
        mainTookInputMeanwhile = main.windowEnabled() || gui->click(main.cmdBack);
        dialog.hide();
    };
    main.cmdNext.Click = [&] {
        log("show");
        dialog.show(Modality::modal);
        log("returned");
    };
    main.show();
    // The dialog's windows exist once it has been shown: then its buttons
    // can hold queued clicks, served inside the modal show.
    dialog.show();
    dialog.hide();
    gui->queueClick(dialog.cmdNext);
    ASSERT_TRUE(gui->click(main.cmdNext));
    EXPECT_EQ(log.events, (std::vector<std::string>{"show", "dialog next", "returned"}));
    EXPECT_FALSE(mainTookInputMeanwhile);
    EXPECT_TRUE(main.windowEnabled());
    EXPECT_FALSE(dialog.visible());

    log.events.clear();
    int endHooks = 0;
    gui->onEnd([&] { ++endHooks; });
    dialog.cmdNext.Click = [&] {
        log("next");
        gui->events().process();  // the Cancel click waits here
        log("after yield");
    };
    dialog.cmdCancel.Click = [&] {
        log("cancel");
        gui->endProgram();
    };
    gui->queueClick(dialog.cmdNext);
    gui->queueClick(dialog.cmdCancel);
    EXPECT_THROW(gui->click(main.cmdNext), ui::ProgramEnded);
    EXPECT_EQ(log.events, (std::vector<std::string>{"show", "next", "cancel"}));
    EXPECT_EQ(endHooks, 1);
    EXPECT_TRUE(gui->ended());
    for (ui::Form* f : {static_cast<ui::Form*>(&main), static_cast<ui::Form*>(&dialog)}) {
        EXPECT_FALSE(f->visible());
        EXPECT_FALSE(f->loaded());
        EXPECT_EQ(f->hWnd(), 0u);
    }
    EXPECT_FALSE(gui->click(main.cmdCancel));
}

// The driver's commands run from inside the program's loops, modal shows
// too (the main-menu-start-restore scenario): the toolkit asks its input
// source whenever the program waits for the user, after the pending events.
TEST_P(FormLayer, LoopsServeTheInputSourceInsideModalShowsAfterPendingEvents) {
    TestForm main(*gui, "frmMain");
    TestForm wizard(*gui, "frmWizard");
    Log log;
    main.cmdNext.Click = [&] { wizard.show(Modality::modal); };
    wizard.cmdNext.Click = [&] { log("wizard next"); };
    wizard.cmdCancel.Click = [&] { wizard.hide(); };
    std::vector<std::function<void()>> lines{
        [&] { gui->click(main.cmdNext); },
        // Inside the modal show: a click queued now comes before the next line.
        [&] {
            log("line 2");
            gui->queueClick(wizard.cmdNext);
        },
        [&] { log("line 3"); },
        [&] { gui->click(wizard.cmdCancel); },
        [&] { main.hide(); },
    };
    std::size_t next = 0;
    gui->setInput([&] {
        if (next == lines.size()) return false;
        lines[next++]();
        return true;
    });
    main.show();
    gui->run();
    EXPECT_EQ(log.events, (std::vector<std::string>{"line 2", "wizard next", "line 3"}));
    EXPECT_EQ(next, lines.size()) << "the loop ends once no form is visible";

    // A modal show with nothing more to come cannot go on.
    lines = {[&] { wizard.show(Modality::modal); }};
    next = 0;
    main.show();
    try {
        gui->run();
        ADD_FAILURE() << "the modal show returned without input";
    } catch (const ui::InputExhausted& e) {
        EXPECT_EQ(e.form, "frmWizard");
    }
}

// A click only focuses the list; a pick selects. Click runs once for each
// change of selection, by the user or by code, and never for clearing.
TEST_P(FormLayer, ADropDownListSelectsOnlyByAPickAndACheckBoxTogglesOnceEachRaisingClickOncePerChange) {
    ChoiceForm form(*gui, "frmChoice");
    ui::ComboBox& list = form.cboWhere;
    Log log;
    list.Click = [&] { log(list.text()); };
    form.show();
    if (auto place = test::nativePlace(list)) {
        EXPECT_EQ(*place, list.bounds()) << "the closed box fills its bounds";
    }

    ASSERT_TRUE(gui->click(list));
    EXPECT_EQ(form.activeControl(), &list);
    EXPECT_EQ(ChoiceForm::shown(form, "cboWhere").listIndex, -1);
    ASSERT_TRUE(gui->choose(list, 1));
    EXPECT_EQ(list.listIndex(), 1) << "the state follows the pick";
    auto s = ChoiceForm::shown(form, "cboWhere");
    EXPECT_EQ(s.list, (std::vector<std::string>{"Documents", "Saved Games", "Desktop"}));
    EXPECT_EQ(s.listIndex, 1);
    EXPECT_EQ(s.text, "Saved Games");
    EXPECT_TRUE(gui->choose(list, 1));  // the same entry again: no change
    list.setListIndex(2);
    EXPECT_EQ(ChoiceForm::shown(form, "cboWhere").text, "Desktop");
    list.setListIndex(-1);
    EXPECT_EQ(ChoiceForm::shown(form, "cboWhere").listIndex, -1);
    EXPECT_THROW(list.setListIndex(3), RunError);
    EXPECT_THROW(gui->choose(list, 3), RunError);
    EXPECT_EQ(log.events, (std::vector<std::string>{"Saved Games", "Desktop"}));

    // A tab stop like a text box; a letter typed there is the list's.
    gui->click(form.cmdFirst);
    gui->key(form, {Key::tab});
    EXPECT_EQ(form.activeControl(), &list);
    EXPECT_FALSE(form.pressKey({Key::character, 'l'}));

    list.setEnabled(false);
    EXPECT_FALSE(gui->choose(list, 0));
    gui->key(form, {Key::tab, 0, true});
    gui->key(form, {Key::tab});
    EXPECT_NE(form.activeControl(), &list);
    s = ChoiceForm::shown(form, "cboWhere");
    EXPECT_FALSE(s.enabled);
    EXPECT_EQ(s.listIndex, -1);

    list.setEnabled(true);
    ASSERT_TRUE(gui->choose(list, 0));
    list.clear();
    list.addItem("Elsewhere");
    s = ChoiceForm::shown(form, "cboWhere");
    EXPECT_EQ(s.list, (std::vector<std::string>{"Elsewhere"}));
    EXPECT_EQ(s.listIndex, -1);
    EXPECT_EQ(list.text(), "");
    EXPECT_EQ(log.events, (std::vector<std::string>{"Saved Games", "Desktop", "Documents"}));

    // A click, Space with the focus on it and its letter each toggle it once;
    // code that changes the value raises Click too, code that does not, none.
    ui::CheckBox& box = form.chkKeep;
    std::vector<bool> clicks;
    box.Click = [&] { clicks.push_back(box.value()); };
    auto ticked = [&] { return ChoiceForm::shown(form, "chkKeep").value; };

    ASSERT_TRUE(gui->click(box));
    EXPECT_EQ(form.activeControl(), &box);
    EXPECT_EQ(ticked(), true);
    EXPECT_TRUE(gui->key(form, {Key::space}));
    EXPECT_EQ(ticked(), false);
    gui->click(form.cmdLast);
    EXPECT_TRUE(gui->key(form, {Key::character, 'k', false, /*alt*/ true}));
    EXPECT_EQ(ticked(), true);
    box.setValue(true);
    box.setValue(false);
    EXPECT_EQ(ticked(), false);
    EXPECT_EQ(clicks, (std::vector<bool>{true, false, true, false}));

    box.setEnabled(false);
    EXPECT_FALSE(gui->click(box));
    EXPECT_FALSE(gui->key(form, {Key::character, 'k', false, true}));
    s = ChoiceForm::shown(form, "chkKeep");
    EXPECT_FALSE(s.enabled);
    EXPECT_EQ(s.value, false);
    EXPECT_EQ(s.caption, "&Keep a copy");
    EXPECT_EQ(clicks.size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Toolkits, FormLayer, ::testing::ValuesIn(test::uiBackendNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace orr
