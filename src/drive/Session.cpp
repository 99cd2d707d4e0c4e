#include "Session.h"

#include "Script.h"
#include "Value.h"
#include "gamedata/CopyWords.h"
#include "shell/Module1.h"
#include "shell/Program.h"

namespace orr::drive {

platform::MsgAnswer ScriptedMessages::show(const std::string& text, const std::string& caption,
                                           platform::MsgButtons buttons, platform::MsgIcon icon) {
    out_ << "msgbox " << formatValue(caption) << ' ' << formatValue(text);
    if (icon == platform::MsgIcon::exclamation) out_ << " icon=exclamation";
    if (buttons == platform::MsgButtons::yesNo) out_ << " buttons=yesno";
    out_ << '\n';

    auto fallback = buttons == platform::MsgButtons::yesNo ? platform::MsgAnswer::no
                                                           : platform::MsgAnswer::ok;
    if (answers_.empty()) return fallback;
    auto a = answers_.front();
    answers_.pop_front();
    // An answer the box has no button for counts as its default.
    bool fits = (buttons == platform::MsgButtons::ok) == (a == platform::MsgAnswer::ok);
    return fits ? a : fallback;
}

Session::Session(const platform::Options& options, std::optional<platform::DateTime> today,
                 std::ostream& out, platform::ScriptedProcesses& processes)
    : out_(out),
      native_(options),
      messages_(out),
      fixedClock_(today ? std::optional<FixedClock>(FixedClock(*today)) : std::nullopt),
      services_{*native_.files,
                *native_.profiles,
                messages_,
                pointer_,
                events_,
                fixedClock_ ? static_cast<platform::Clock&>(*fixedClock_) : *native_.clock,
                *native_.locale,
                *native_.fileTable},
      processes_(processes),
      folders_(platform::makeUserFolders(*native_.files)),
      registry_(platform::makeRegistry(options)) {
    // What the program does on the desktop goes into the transcript.
    clipboard_.onSetText = [this](const std::string& text) {
        out_ << "clipboard " << formatValue(text) << '\n';
    };
    browser_.onStart = [this](const ScriptedBrowser::Start& s) {
        out_ << "browser " << formatValue(s.program) << ' ' << formatValue(s.argument) << '\n';
    };
    dialogs_.onOpen = [this](const platform::OpenFileRequest& r, const std::string& answer) {
        out_ << "open " << formatValue(r.title) << ' ' << formatValue(filterText(r.filter))
             << " -> " << (answer.empty() ? "cancel" : formatValue(answer)) << '\n';
    };
    dialogs_.onPick = [this](const platform::FolderRequest& r, const std::optional<std::string>& answer) {
        out_ << "picker " << formatValue(r.title) << ' ' << formatValue(r.prompt) << " -> "
             << (answer ? formatValue(*answer) : "cancel") << '\n';
    };
    copies_.onCopy = [this](const RecordingCopy::Copy& c) {
        out_ << "copy " << formatValue(c.source) << ' ' << formatValue(c.destination) << '\n';
        out_.flush();  // before a copy that may take long
        if (copyWatcher_ && copyWatcher_(c.source)) windowing_->gui().events().process();
    };
    copies_.onVerify = [this](const std::string& folder, const platform::VerifyOutcome& v) {
        out_ << "verify " << formatValue(folder) << " -> " << v.ok << " files ok";
        if (!v.damaged.empty()) out_ << ", " << v.damaged.size() << " damaged";
        if (v.unreadableManifest) out_ << ", the manifest cannot be read";
        out_ << '\n';
        for (const auto& d : v.damaged)
            out_ << "  " << formatValue(d.path) << ' ' << report::problemText(d.problem) << '\n';
    };
    copies_.onDone = [this](const RecordingCopy::Copy& c, const platform::CopyOutcome& outcome) {
        printOutcome(c.source, outcome);
    };
}

Session::~Session() = default;

// A copy that completed says nothing more; any other says how it ended,
// then one line a failure or skipped link.
void Session::printOutcome(const std::string& source, const platform::CopyOutcome& outcome) {
    using Result = platform::CopyOutcome::Result;
    if (outcome.result == Result::refused) {
        out_ << "copy refused " << formatValue(source) << ": " << formatValue(report::refusalText(outcome.refusal)) << '\n';
    } else if (outcome.result == Result::cancelled) {
        out_ << "copy cancelled " << formatValue(source) << ": " << outcome.files << " files copied\n";
    } else if (!outcome.failures.empty()) {
        out_ << "copy failed " << formatValue(source) << ": " << outcome.failures.size()
             << (outcome.failures.size() == 1 ? " file" : " files") << '\n';
    }
    for (const platform::CopyFailure& f : outcome.failures)
        out_ << "  " << formatValue(f.path) << ' ' << report::reasonText(f.reason) << '\n';
    for (const std::string& link : outcome.skipped) out_ << "  " << formatValue(link) << " link skipped\n";
}

void Session::start() {
    if (running()) throw UsageError("the program is running already");
    // The ended run's program goes before its copy and its toolkit.
    copies_.passTo(nullptr);
    program_.reset();
    folderCopier_.reset();
    watching_.reset();
    progress_.reset();
    windowing_.reset();
    ended_ = false;

    windowing_ = makeWindowing();
    ui::Gui& gui = windowing_->gui();
    // Copies run on this system's real copy; a long one yields to the
    // toolkit, so that a queued Cancel ends the program in the middle. No
    // progress window: whether one appears depends on time, and the
    // transcript must not.
    progress_ = showProgress_ ? platform::makeSystemProgress(gui.events()) : nullptr;
    watching_ = std::make_unique<WatchingProgress>(progress_.get(), gui.events(),
                                                   [this](const std::string& source, std::uint64_t files) {
                                                       return settledWatcher_ && settledWatcher_(source, files);
                                                   });
    folderCopier_ = platform::makeFolderCopier(*native_.files, gui.events(), watching_.get(), &faults_);
    copies_.passTo(folderCopier_.get());
    program_ = std::make_unique<Program>(
        services_,
        Desktop{gui, clipboard_, browser_, *folders_, copies_, dialogs_, *registry_, processes_, weeklyTasks_});
    gui.setInput(input_);
    try {
        startProgram(*program_);
        gui.run();
        // The loop stops when the script has run out, or when no window is
        // left: then nothing can happen any more and the program ends.
        for (ui::Form* f : gui.forms())
            if (f->visible()) return;
        program_->end();
    } catch (const ui::ProgramEnded&) {
        ended_ = true;
        out_ << "end\n";
    } catch (const ui::InputExhausted&) {
        // The script ended while a form was shown modal: the run stops there.
    }
}

Program& Session::program() {
    if (!program_) throw UsageError("the program has not been started (start)");
    if (ended_) throw UsageError("the program has ended (start)");
    return *program_;
}

Windowing& Session::windowing() {
    program();
    return *windowing_;
}

}  // namespace orr::drive
