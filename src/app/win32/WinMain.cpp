// orrindale.exe: the program on real windows.
#include "platform/browser.h"
#include "platform/clipboard.h"
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

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
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
