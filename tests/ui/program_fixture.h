// A program over a test folder, on one toolkit, with message boxes, the
// browser, the clipboard and the user's folders scripted.
#pragma once

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
        program = std::make_unique<Program>(services, Desktop{*gui, clipboard, browser, folders});
        return true;
    }

    platform::FileSystem& files() { return *native.files; }

    TestRoot root;
    platform::NativeServices native{root.options()};
    ScriptedMessages messages;
    ui::MemoryClipboard clipboard;
    ui::ScriptedBrowser browser;
    ui::FixedFolders folders{root.path("Temp\\")};
    // The program (with its forms) goes before its toolkit.
    std::unique_ptr<ui::Gui> gui;
    std::unique_ptr<Program> program;
};

}  // namespace orr::test
