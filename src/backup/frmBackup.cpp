#include "frmBackup.h"

#include "WeeklyBackup.h"
#include "clsBackup.h"
#include "gamedata/BackupFolder.h"
#include "gamedata/RunReport.h"
#include "platform/copy_io.h"
#include "shell/Program.h"
#include "shell/WizardLook.h"
#include "toolkit/clsFileSystem.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace orr {
namespace {

using ui::Rect;

using namespace wizard;

constexpr const char* kCaption = "Orrindale";
constexpr ui::Color kPathGrey = ui::rgb(224, 224, 224);
const ui::Font kBody{"Arial", 8.25, false, false};
constexpr int kLineX = 16;  // the rail's line: through the middle of the end markers

ui::ControlArray<ui::Frame> makePanels(ui::Form& form) {
    ui::ControlArray<ui::Frame> panels("fraSteps");
    for (int i = 0; i <= kLastStep; ++i) {
        panels.add(form, kPanel).setFont(kBody);
    }
    stylePanels(panels);
    return panels;
}

void heading(ui::Label& label, const std::string& caption, double points) {
    label.setCaption(caption);
    label.setFont({"Arial", points, false, false});
    label.setForeColor(ui::color::white);
    label.setBackColor(ui::color::black);
    label.setAlignment(ui::Alignment::center);
}

void band(ui::Shape& shape) {
    shape.setFilled(true);
    shape.setFillColor(ui::color::black);
    shape.setBorderColor(ui::color::black);
}

void title(ui::Label& label, const std::string& caption) {
    label.setCaption(caption);
    label.setFont(kStepTitle);
}

void body(ui::Label& label, const std::string& caption, bool centred = false) {
    label.setCaption(caption);
    if (centred) label.setAlignment(ui::Alignment::center);
}

void button(ui::CommandButton& b, const std::string& caption) {
    b.setCaption(caption);
    b.setFont(kSansSerif);
}

std::string trimSpaces(const std::string& s) {
    auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

frmBackup::frmBackup(Program& program)
    : ui::Form(program.gui, "frmBackup"),
      rail(*this, kLineX, kMarkerTop[0] + 8, kLineX, kMarkerTop[kLastStep] + 8),
      linSteps("linSteps"),
      fraSteps(makePanels(*this)),
      shpStartBand(fraSteps(0), "Shape1", {0, 0, kVisibleWidth, 57}),
      lblHead(fraSteps(0), "lblHead", {0, 14, kVisibleWidth, 30}),
      lblStartTitle(fraSteps(0), "Label1", {32, 88, 361, 20}),
      lblStartHint(fraSteps(0), "Label2", {32, 128, 361, 33}),
      lblStep1(fraSteps(1), "Label3", {16, 16, 201, 20}),
      lblStep1Text(fraSteps(1), "Label4", {16, 88, 393, 17}),
      lblStep1Hint(fraSteps(1), "Label5", {16, 216, 393, 17}),
      lblGame(fraSteps(1), "lblGame", {16, 136, 393, 33}),
      cboInstall(fraSteps(1), "cboInstall", {16, 112, 393, 21}),
      cmdOtherGame(fraSteps(1), "cmdOtherGame", {16, 176, 129, 25}),
      lblStep2(fraSteps(2), "Label6", {16, 16, 201, 20}),
      lblStep2Text(fraSteps(2), "Label7", {16, 56, 393, 17}),
      lblFolderPrompt(fraSteps(2), "Label8", {48, 104, 329, 17}),
      txtFolder(fraSteps(2), "text1", {48, 124, 225, 25}),
      btnSelect(fraSteps(2), "btnSelect", {281, 124, 65, 25}),
      lblStep2Hint(fraSteps(2), "Label9", {16, 216, 393, 17}),
      lblStep3(fraSteps(3), "Label10", {16, 16, 201, 20}),
      lblStep3Text(fraSteps(3), "Label11", {32, 88, 361, 33}),
      lblStep3Hint(fraSteps(3), "Label12", {16, 216, 393, 17}),
      lblStep4(fraSteps(4), "Label13", {16, 16, 201, 20}),
      lblStep4Text(fraSteps(4), "Label14", {32, 88, 361, 17}),
      lblStep4Hint(fraSteps(4), "Label15", {16, 216, 393, 17}),
      shpFinishBand(fraSteps(5), "Shape2", {0, 0, kVisibleWidth, 57}),
      lblFinishHead(fraSteps(5), "Label16", {0, 10, kVisibleWidth, 38}),
      lblCongratulations(fraSteps(5), "Label17", {24, 66, 377, 18}),
      lblComplete(fraSteps(5), "Label18", {24, 86, 377, 17}),
      lblCopyAdvice(fraSteps(5), "Label19", {24, 105, 377, 17}),
      txtPath(fraSteps(5), "txtPath", {24, 124, 353, 56}),
      lblCopyAdviceEnd(fraSteps(5), "Label20", {24, 184, 272, 28}),
      cmdCopyPath(fraSteps(5), "Command1", {304, 184, 105, 25}),
      lblSummary(fraSteps(5), "lblSummary", {24, 214, 385, 17}),
      chkWeekly(fraSteps(5), "chkWeekly", {24, 234, 385, 17}),
      buttons(*this),
      program_(program),
      installChoice_(program, lblGame, cboInstall, cmdOtherGame) {
    frameWindow(*this);

    // The rail's markers, which cover its line.
    for (int i = 0; i <= kLastStep; ++i) {
        const int top = kMarkerTop[i];
        if (markerLeft(i) > kLineX) {
            const int middle = top + kMarkerSide / 2;
            linSteps.add(rail.picWiz, kLineX, middle, markerLeft(i), middle).setBorderColor(ui::color::white);
        }
        ui::Shape& marker = rail.shpSteps.add(rail.picWiz, Rect{markerLeft(i), top, kMarkerSide, kMarkerSide});
        marker.setShape(ui::ShapeKind::square);
        marker.setFilled(true);
        marker.setBorderColor(ui::color::white);
        marker.setFillColor(i == 0 ? kCurrent : i == kLastStep ? kFinishAhead : kOther);
        ui::Label& label = rail.lblSteps.add(rail.picWiz, Rect{labelLeft(i), top + 2, 88, 17});
        label.setCaption(kStepNames[i]);
        label.setForeColor(ui::color::white);
        label.setFontBold(i == 0);
    }

    // 0 Start
    band(shpStartBand);
    heading(lblHead, "Welcome to Deve Vozuvi", 18);
    body(lblStartTitle, "Save your Sims customizations");
    lblStartTitle.setFont({"Arial", 9.75, false, false});
    body(lblStartHint, "Click Next to start backing up your customized settings and files");
    // 1 Step 1
    title(lblStep1, "Step 1");
    body(lblStep1Text, "We will now begin backing up your Sims customizations", true);
    body(lblStep1Hint, "Click Next to continue backing up or Cancel to quit");
    program_.lookForGame();
    body(lblGame, "", true);
    cboInstall.setFont(kSansSerif);
    cmdOtherGame.setFont(kSansSerif);
    installChoice_.show();
    // 2 Step 2
    title(lblStep2, "Step 2");
    body(lblStep2Text, "Select a folder to backup the Sims customizations", true);
    body(lblFolderPrompt, "Please select a folder where to back up to:");
    button(btnSelect, "Select");
    body(lblStep2Hint, "Click Next to continue backing up or Cancel to quit");
    // 3 Step 3
    title(lblStep3, "Step 3");
    body(lblStep3Text, "Backing up animation, floors, lights, roofs, skins, textures, user objects and walls");
    body(lblStep3Hint, "Click Cancel to quit");
    // 4 Step 4
    title(lblStep4, "Step 4");
    body(lblStep4Text, "Backing up characters houses and neighbourhoods");
    body(lblStep4Hint, "Click Next to continue backing up or Cancel to quit");
    // 5 Finish
    band(shpFinishBand);
    heading(lblFinishHead, "Deve Vozuvi", 24);
    body(lblCongratulations, "Congratulations");
    lblCongratulations.setFont({"MS Sans Serif", 9.75, false, false});
    body(lblComplete, "Backup of Sims customization is complete.");
    body(lblCopyAdvice, "It is highly recommended to copy the folder:");
    txtPath.setMultiLine(true);
    txtPath.setBackColor(kPathGrey);
    body(lblCopyAdviceEnd, " to a CD, DVD or another type of removable device for safe storage.");
    button(cmdCopyPath, "Copy to Clipboard");
    body(lblSummary, "");
    chkWeekly.setCaption("Back up to this folder every week");
    chkWeekly.setVisible(false);

    // Next holds the focus when the wizard is shown; the panels' controls
    // come after the button row.
    int tab = 0;
    for (ui::Control* c : std::initializer_list<ui::Control*>{&buttons.cmdNext, &buttons.cmdBack, &buttons.cmdFinish,
                                                             &buttons.cmdCancel, &txtFolder, &btnSelect, &txtPath,
                                                             &cmdCopyPath, &chkWeekly, &cboInstall, &cmdOtherGame})
        c->setTabIndex(tab++);

    program_.backupStep = 0;
    fraSteps(0).bringToFront();

    buttons.cmdNext.Click = gate_.next([this] { cmdNext_Click(); });
    buttons.cmdBack.Click = gate_.back([this] { cmdBack_Click(); });
    buttons.cmdCancel.Click = [this] { cmdCancel_Click(); };
    buttons.cmdFinish.Click = [this] { cmdFinish_Click(); };
    btnSelect.Click = [this] { btnSelect_Click(); };
    cmdCopyPath.Click = [this] { Command1_Click(); };
    chkWeekly.Click = [this] { chkWeekly_Click(); };
    FrameClose = [this] { program_.quit(); };
}

int frmBackup::step() const { return program_.backupStep; }

void frmBackup::yield(int times) {
    for (int i = 0; i < times; ++i) program_.services.events.process();
}

void frmBackup::say(const std::string& text) { program_.services.messages.show(text, kCaption); }

// Nested calls (from the backup run) change the step under this one: the
// step at entry is kept in `s` and everything after Backup() reads only
// program-wide values.
void frmBackup::cmdNext_Click() {
    const int s = program_.backupStep;
    switch (s) {
    case 1:
    case 2:
        buttons.set(true, true, false, true);
        yield(3);
        break;
    case 3: buttons.set(false, false, false, true); break;
    case 4: buttons.set(false, false, true, true); break;
    default: break;  // Start leaves the row as it is
    }
    yield(3);

    std::unique_ptr<platform::RunClaim> claim;
    if (s == 2) {
        // The game rewrites its files as it saves: checked with the folder,
        // a copy taken meanwhile may be half old, half new.
        const backupfolder::Verdict verdict =
            backupfolder::checkBeforeBackup(program_.services, program_.processes, txtFolder.text(), program_.game);
        if (!verdict.accepted()) {
            const bool warn = verdict.refusal == backupfolder::Refusal::noGame ||
                              verdict.refusal == backupfolder::Refusal::gameRuns;
            program_.services.messages.show(backupfolder::message(verdict, program_.game), kCaption,
                                            platform::MsgButtons::ok,
                                            warn ? platform::MsgIcon::exclamation : platform::MsgIcon::none);
            if (verdict.refusal == backupfolder::Refusal::notAFolder) txtFolder.setText("");
            return;
        }
        // Held to the end of the run: a weekly backup started meanwhile
        // by the schedule waits for none and is refused instead.
        claim = program_.services.files.claimRun();
        if (!claim) {
            program_.services.messages.show(report::anotherRunText(), kCaption, platform::MsgButtons::ok,
                                            platform::MsgIcon::exclamation);
            return;
        }
        txtFolder.setText(verdict.folder);
        program_.backupFolder = verdict.folder;
    }

    clsBackup run(program_);
    const int step = std::min(s + 1, kLastStep);
    program_.backupStep = static_cast<std::int16_t>(step);
    rail.move(s, step);
    fraSteps(step).bringToFront();
    run.Backup();
    txtPath.setText(program_.backupFolder);
}

void frmBackup::runFailed(const std::string& message) {
    program_.services.messages.show(message, kCaption, platform::MsgButtons::ok, platform::MsgIcon::exclamation);
    const int from = program_.backupStep;
    program_.backupStep = 2;
    rail.move(from, 2);
    fraSteps(2).bringToFront();
    buttons.set(true, true, false, true);
}

void frmBackup::offerWeekly() {
    completedAt_ = program_.services.clock.now();
    // Unknown (the scheduler cannot be asked) shows as not scheduled.
    showWeekly(program_.weeklyTasks.exists(program_.backupFolder).value_or(false));
    chkWeekly.setVisible(true);
}

void frmBackup::showWeekly(bool on) {
    settingWeekly_ = true;
    chkWeekly.setValue(on);
    settingWeekly_ = false;
}

void frmBackup::chkWeekly_Click() {
    if (settingWeekly_) return;
    const std::string& folder = program_.backupFolder;
    const bool adding = chkWeekly.value();
    platform::WeeklyTasks& tasks = program_.weeklyTasks;
    if ((adding ? tasks.add(folder, completedAt_) : tasks.remove(folder)) != platform::TaskChange::failed) return;
    program_.services.messages.show(weekly::failedText(adding, folder), kCaption, platform::MsgButtons::ok,
                                    platform::MsgIcon::exclamation);
    showWeekly(tasks.exists(folder).value_or(!adding));
}

void frmBackup::cmdBack_Click() {
    const int s = program_.backupStep;
    if (s == 1) buttons.set(false, true, false, true);
    else if (s == 2) buttons.set(true, true, false, true);

    int step = s - 1;
    if (step <= 0) {
        step = 0;
        buttons.cmdBack.setEnabled(false);
    }
    program_.backupStep = static_cast<std::int16_t>(step);
    yield(3);
    rail.move(step + 1, step);
    fraSteps(step).bringToFront();
}

void frmBackup::cmdCancel_Click() { program_.quit(); }

void frmBackup::cmdFinish_Click() { program_.end(); }

void frmBackup::btnSelect_Click() {
    auto chosen = program_.dialogs.pickFolder(
        {"Quillvault Folder", "Select or create a new folder to backup to:", "c:\\test"});
    if (chosen) program_.backupFolder = *chosen;
    if (!program_.backupFolder.empty()) {
        program_.backupFolder = trimSpaces(program_.backupFolder);
        txtFolder.setText(program_.backupFolder);
    }
}

void frmBackup::Command1_Click() {
    program_.clipboard.clear();
    program_.clipboard.setText(txtPath.text());
    say("Path has been copied to clipboard");
}

}  // namespace orr
