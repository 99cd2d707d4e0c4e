// One driver run: the services the program runs on, with message boxes
// answered from the script and the date fixed when asked, the desktop
// around the program (clipboard, browser, file and folder choosers, the
// running processes) scripted and recorded, and the transcript they write to.
#pragma once

#include "Windowing.h"
#include "copy/faults.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "platform/weekly_task.h"
#include "DesktopFakes.h"
#include "WatchingProgress.h"
#include "ui/headless/NoDesktop.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>

namespace orr {
class Program;
}

namespace orr::drive {

// Writes each box to the transcript and answers it from the queue of
// scripted answers (OK, or No for a Yes/No box, when none is queued).
class ScriptedMessages : public platform::MessageBoxes {
public:
    explicit ScriptedMessages(std::ostream& out) : out_(out) {}
    void queue(platform::MsgAnswer a) { answers_.push_back(a); }
    platform::MsgAnswer show(const std::string& text, const std::string& caption,
                             platform::MsgButtons buttons, platform::MsgIcon icon) override;

private:
    std::ostream& out_;
    std::deque<platform::MsgAnswer> answers_;
};

// The local time of a fixed day, noon.
class FixedClock : public platform::Clock {
public:
    explicit FixedClock(platform::DateTime day) : day_(day) {}
    platform::DateTime now() override { return day_; }

private:
    platform::DateTime day_;
};

class Session {
public:
    // `processes` stands in for the system's list on every layer alike, so
    // that transcripts do not depend on what runs on the machine.
    Session(const platform::Options& options, std::optional<platform::DateTime> today,
            std::ostream& out, platform::ScriptedProcesses& processes);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    platform::Services& services() { return services_; }
    ScriptedMessages& messages() { return messages_; }
    std::ostream& out() { return out_; }

    ScriptedBrowser& browser() { return browser_; }
    ScriptedDialogs& dialogs() { return dialogs_; }
    platform::ScriptedProcesses& processes() { return processes_; }
    // The weekly tasks, kept for the whole script (across starts).
    platform::ScriptedWeeklyTasks& weeklyTasks() { return weeklyTasks_; }
    // Runs from now on show the system's progress display over long copies
    // (where there is one); transcripts then may depend on time.
    void showProgress() { showProgress_ = true; }
    // Faults armed for the folder copies of every run from now on.
    platform::FaultPlan& faults() { return faults_; }

    // Where the program's loops get the script's next lines: serves one
    // piece of input, false when the script has no more.
    void setInput(std::function<bool()> input) { input_ = std::move(input); }
    // Called with a folder copy's source as the copy starts, after its
    // transcript line; true when it ran script lines there. The program's
    // pending events then run once before the copy does, on every window
    // system alike, so that a click those lines queued is served at a
    // fixed point whatever the copy itself lets run.
    void onCopyStart(std::function<bool(const std::string&)> watcher) { copyWatcher_ = std::move(watcher); }
    // Called as each file of a folder copy settles, with the copy's source
    // and the files settled so far; true when it ran script lines there
    // (the program's pending events then run once, as on a copy's start).
    void onCopySettled(WatchingProgress::Settled watcher) { settledWatcher_ = std::move(watcher); }
    // Makes the program and runs it: the start-up procedure, then its
    // message loop, which pulls the script's further lines from the input
    // whenever it waits for the user. Returns when the script has run out
    // or the program has ended (the transcript then says "end"). After the
    // end it may start again: a new program, as a user starts it anew, on
    // a new window system and copy; the scripted desktop and the files stay.
    void start();
    bool running() const { return program_ != nullptr && !ended_; }
    // Before start, or after the end until the next start: UsageError.
    Program& program();
    Windowing& windowing();

private:
    void printOutcome(const std::string& source, const platform::CopyOutcome& outcome);

    std::ostream& out_;
    platform::NativeServices native_;
    ScriptedMessages messages_;
    // For calls made while no program runs.
    ui::RememberedPointer pointer_;
    ui::NoEvents events_;
    std::optional<FixedClock> fixedClock_;
    platform::Services services_;

    MemoryClipboard clipboard_;
    ScriptedBrowser browser_;
    ScriptedDialogs dialogs_;
    platform::ScriptedProcesses& processes_;
    // Scripted on every layer alike, as the processes are: a scenario never
    // touches the system's own schedule.
    platform::ScriptedWeeklyTasks weeklyTasks_{"C:\\Program Files\\Orrindale\\orrindale.exe"};
    RecordingCopy copies_;
    platform::FaultPlan faults_;
    std::unique_ptr<platform::UserFolders> folders_;
    std::unique_ptr<platform::Registry> registry_;
    // The program goes before its copy and its toolkit.
    std::unique_ptr<Windowing> windowing_;
    std::unique_ptr<platform::CopyProgress> progress_;
    std::unique_ptr<WatchingProgress> watching_;
    std::unique_ptr<platform::FolderCopier> folderCopier_;
    bool showProgress_ = false;
    std::unique_ptr<Program> program_;
    std::function<bool()> input_;
    std::function<bool(const std::string&)> copyWatcher_;
    WatchingProgress::Settled settledWatcher_;
    bool ended_ = false;
};

}  // namespace orr::drive
