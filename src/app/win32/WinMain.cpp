// orrindale.exe: the program on real windows; started with words
// (orrindale.exe /backup "D:\Backups"), the command line, with no window.
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Quiet.h"
#include "platform/browser.h"
#include "platform/clipboard.h"
#include "platform/console.h"
#include "platform/dialogs.h"
#include "platform/folders.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "copy/folder_copier.h"
#include "platform/weekly_task.h"
#include "platform/single_instance.h"
#include "platform/win32/com.h"
#include "ui/win32/Win32Gui.h"
#include "shell/Module1.h"
#include "shell/Program.h"

#include <windows.h>
#include <commctrl.h>

#include <iostream>

namespace {

// The command line: it shows no window and claims no single instance, so
// that a scheduled backup runs beside an open wizard.
int runCommandLine(const std::vector<std::string>& words) {
    using namespace orr;
    platform::useParentConsole();
    const cli::Parsed parsed = cli::parse(words, false);
    if (!parsed.arguments) {
        std::cerr << parsed.error << "\n\n" << cli::usage(false);
        return cli::exitcode::badUsage;
    }
    platform::win32::ComApartment com;
    platform::NativeServices native;
    cli::NoWindow noWindow;
    cli::ConsoleMessages messages(std::cerr);
    platform::Services services{*native.files, *native.profiles, messages,      noWindow,
                                noWindow,      *native.clock,    *native.locale, *native.fileTable};
    auto copier = platform::makeFolderCopier(*native.files, noWindow, nullptr);
    auto registry = platform::makeRegistry({});
    auto folders = platform::makeUserFolders(*native.files);
    auto processes = platform::makeProcesses();
    auto tasks = platform::makeWeeklyTasks();
    cli::Machine machine{services, *copier, *registry, *folders, *processes, tasks.get(), std::nullopt, false,
                         &platform::catchStopRequests()};
    try {
        return cli::run(*parsed.arguments, machine, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "Orrindale stopped: " << e.what() << '\n';
        return cli::exitcode::failed;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (const auto words = orr::platform::programWords(0, nullptr); !words.empty()) return runCommandLine(words);

    // One copy at a time: a second start shows the first one and ends.
    // The claim lasts as long as the process (ending it exits the process).
    const auto claim = orr::platform::claimOnlyInstance();
    if (!claim) {
        if (!orr::platform::showRunningInstance())
            orr::platform::makeMessageBoxes()->show(
                "Orrindale is already running, but its window did not appear. Look for it on the "
                "taskbar. If it does not respond, end it in Task Manager, then start Orrindale again.",
                "Orrindale", orr::platform::MsgButtons::ok, orr::platform::MsgIcon::exclamation);
        return 0;
    }

    // The shell's functions (starting the browser, the folder picker, the
    // folder copy) want COM in this thread's apartment.
    orr::platform::win32::ComApartment com;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    orr::platform::NativeServices native;
    orr::ui::Win32Gui gui(orr::ui::EndAction::exitProcess);
    auto clipboard = orr::platform::makeClipboard();
    auto browser = orr::platform::makeBrowser();
    auto folders = orr::platform::makeUserFolders(*native.files);
    // The system's progress dialog shows over a copy that runs long.
    auto progress = orr::platform::makeSystemProgress(gui.events());
    auto folderCopier = orr::platform::makeFolderCopier(*native.files, gui.events(), progress.get());
    auto dialogs = orr::platform::makeFileDialogs();
    auto registry = orr::platform::makeRegistry({});
    auto processes = orr::platform::makeProcesses();
    auto weeklyTasks = orr::platform::makeWeeklyTasks();
    orr::Program program(native.view(gui.pointer(), gui.events()),
                         {gui, *clipboard, *browser, *folders, *folderCopier, *dialogs, *registry, *processes, *weeklyTasks});
    orr::runProgram(program);
    return 0;  // not reached: ending the program exits the process
}
