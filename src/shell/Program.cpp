#include "Program.h"

#include "backup/frmBackup.h"
#include "frmMain.h"
#include "restore/frmRestore.h"

namespace orr {

Program::Program(const platform::Services& core, const Desktop& desktop)
    : services{core.files,          core.profiles,    core.messages, desktop.gui.pointer(),
               desktop.gui.events(), core.clock,       core.locale,   core.fileTable},
      gui(desktop.gui),
      clipboard(desktop.clipboard),
      browser(desktop.browser),
      folders(desktop.folders),
      folderCopier(desktop.folderCopier),
      dialogs(desktop.dialogs),
      registry(desktop.registry),
      processes(desktop.processes),
      weeklyTasks(desktop.weeklyTasks) {
    // A failure that no operation handles: one message naming it, then the end.
    gui.onUnhandledError([this](const RunError& e) {
        services.messages.show(unhandledErrorText(e), "Orrindale");
    });
    gui.onEnd([this] { services.fileTable.closeAll(); });
}

Program::~Program() {
    gui.onUnhandledError({});
    gui.onEnd({});
}

void Program::lookForGame() { game = findGame(services.files, gamePlaces(registry, folders)); }

frmMain& Program::mainMenu() {
    if (!mainMenu_) mainMenu_ = std::make_unique<frmMain>(*this);
    return *mainMenu_;
}

frmBackup& Program::backupWizard() {
    if (!backupWizard_) backupWizard_ = std::make_unique<frmBackup>(*this);
    return *backupWizard_;
}

frmRestore& Program::restoreWizard() {
    if (!restoreWizard_) restoreWizard_ = std::make_unique<frmRestore>(*this);
    return *restoreWizard_;
}

void Program::end() { gui.endProgram(); }

void Program::quit() {
    if (!running_) end();
    stop_ = true;
    endAfterRun_ = true;
}

Program::Running::Running(Program& program) : program_(program) {
    program_.running_ = true;
    program_.stop_ = false;
    program_.endAfterRun_ = false;
}

Program::Running::~Running() { program_.running_ = false; }

std::string unhandledErrorText(const RunError& e) {
    return "Run-time error '" + std::to_string(e.number()) + "': " + e.description();
}

}  // namespace orr
