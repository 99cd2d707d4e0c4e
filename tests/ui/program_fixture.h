// A program over a test folder, on one toolkit, with message boxes, the
// browser, the clipboard, the user's folders, the file and folder choosers
// and the running processes scripted. Folder copies are real (this layer's
// shell copy) and recorded in `copies`. Also what the tests of both wizards check alike.
#pragma once

#include "copy/folder_copier.h"
#include "shell/Program.h"
#include "support/scripted_messages.h"
#include "support/test_files.h"
#include "support/test_root.h"
#include "support/ui_backends.h"
#include "drive/DesktopFakes.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

namespace orr::test {

class ProgramFixture {
public:
    // False when the toolkit cannot run here. `files`, where given, stands
    // in for this layer's file system, with a file table of its own.
    bool start(const std::string& backend, platform::FileSystem* files = nullptr) {
        gui = makeUiBackend(backend);
        if (!gui) return false;
        platform::Services core = native.view(gui->pointer(), gui->events());
        if (files) table = std::make_unique<platform::FileTable>(*files);
        platform::Services services{files ? *files : core.files, core.profiles, messages, core.pointer,
                                    core.events, core.clock, core.locale, table ? *table : core.fileTable};
        folderCopier = platform::makeFolderCopier(*native.files, gui->events(), nullptr);
        copies->passTo(folderCopier.get());
        program = std::make_unique<Program>(
            services,
            Desktop{*gui, clipboard, browser, folders, *copies, dialogs, *registry, processes, weeklyTasks});
        return true;
    }

    platform::FileSystem& files() { return *native.files; }
    // A file of exactly these bytes, its folders made first (full paths).
    void file(const std::string& path, const std::string& bytes) { writeFile(files(), path, bytes); }

    TestRoot root;
    platform::NativeServices native{root.options()};
    ScriptedMessages messages;
    drive::MemoryClipboard clipboard;
    drive::ScriptedBrowser browser;
    // The system's folders inside the test's folder but Program Files (where
    // the fixed game folder lies): no game is found there.
    drive::FixedFolders folders = [this] {
        drive::FixedFolders f(root.path("Temp\\"));
        f.localAppDataFolder = root.path("AppData\\Local");
        f.programFilesX86Folder = root.path("Program Files (x86)");
        return f;
    }();
    std::unique_ptr<platform::Registry> registry = platform::makeRegistry(root.options());
    drive::ScriptedDialogs dialogs;
    platform::ScriptedProcesses processes;
    platform::ScriptedWeeklyTasks weeklyTasks{"C:\\Orrindale\\orrindale.exe"};
    std::unique_ptr<drive::RecordingCopy> copies = std::make_unique<drive::RecordingCopy>();
    std::unique_ptr<platform::FileTable> table;
    // The program (with its forms) goes before its toolkit and its copy.
    std::unique_ptr<ui::Gui> gui;
    std::unique_ptr<platform::FolderCopier> folderCopier;
    std::unique_ptr<Program> program;
};

// A wizard's Back, Next, Finish and Cancel: enabled or not.
struct Buttons {
    bool back, next, finish, cancel;
    friend bool operator==(const Buttons&, const Buttons&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Buttons& b) {
        return os << "Back " << b.back << " Next " << b.next << " Finish " << b.finish << " Cancel " << b.cancel;
    }
};

template <class Wizard>
Buttons buttonsOf(const Wizard& w) {
    const auto& b = w.buttons;
    return {b.cmdBack.enabled(), b.cmdNext.enabled(), b.cmdFinish.enabled(), b.cmdCancel.enabled()};
}

// A wizard's step shows everywhere at once: the step the run and the
// driver read, the panel in front, the rail's green marker and bold label
// (the Finish marker red while another step is current).
template <class Wizard>
void expectStep(const Wizard& w, int current) {
    EXPECT_EQ(w.step(), current);
    EXPECT_EQ(w.fraSteps.frontIndex(), current);
    EXPECT_EQ(w.frontIndex("fraSteps"), current);
    const ui::Color green = ui::rgb(0, 255, 0), red = ui::rgb(255, 0, 0), grey = ui::rgb(128, 128, 128);
    for (int i = 0; i <= 5; ++i) {
        const ui::Color marker = i == current ? green : i == 5 ? red : grey;
        EXPECT_EQ(w.rail.shpSteps(i).fillColor(), marker) << "marker " << i << " at step " << current;
        EXPECT_EQ(w.rail.lblSteps(i).fontBold(), i == current) << "label " << i << " at step " << current;
    }
}

// A form's controls stay inside its window (frames and bars across it,
// which the window may cut off, excepted), and the window toolkit puts
// every windowed control where the form says.
inline void expectLaidOut(const ui::Form& form) {
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
