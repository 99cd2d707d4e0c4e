// A program over a test folder, on one toolkit, with message boxes, the
// browser, the clipboard, the user's folders and the file and folder
// choosers scripted. Folder copies are real (this layer's shell copy) and
// recorded in `copies`.
#pragma once

#include "platform/shell_copy.h"
#include "shell/Program.h"
#include "support/scripted_messages.h"
#include "support/test_root.h"
#include "support/ui_backends.h"
#include "ui/headless/DesktopFakes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace orr::test {

class ProgramFixture {
public:
    // False when the toolkit cannot run here.
    bool start(const std::string& backend) {
        gui = makeUiBackend(backend);
        if (!gui) return false;
        platform::Services core = native.view();
        platform::Services services{core.files,   core.profiles, messages,    core.pointer,
                                    core.events,  core.clock,    core.locale, core.fileTable};
        shellCopy = platform::makeShellCopy(*native.files, messages, gui->events(), nullptr);
        copies->passTo(shellCopy.get());
        program = std::make_unique<Program>(
            services, Desktop{*gui, clipboard, browser, folders, *copies, dialogs});
        return true;
    }

    platform::FileSystem& files() { return *native.files; }

    TestRoot root;
    platform::NativeServices native{root.options()};
    ScriptedMessages messages;
    ui::MemoryClipboard clipboard;
    ui::ScriptedBrowser browser;
    ui::FixedFolders folders{root.path("Temp\\")};
    ui::ScriptedDialogs dialogs;
    std::unique_ptr<ui::RecordingCopy> copies = std::make_unique<ui::RecordingCopy>();
    // The program (with its forms) goes before its toolkit and its copy.
    std::unique_ptr<ui::Gui> gui;
    std::unique_ptr<platform::ShellCopy> shellCopy;
    std::unique_ptr<Program> program;
};

}  // namespace orr::test
