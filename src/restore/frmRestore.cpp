#include "frmRestore.h"

#include "gamedata/BackupCheck.h"
#include "gamedata/Descriptor.h"
#include "gamedata/GameRunning.h"
#include "gamedata/NewerPlay.h"
#include "clsRestore.h"
#include "gamedata/RunReport.h"
#include "shell/Program.h"
#include "shell/WizardLook.h"
#include "toolkit/MFile.h"
#include "platform/ascii.h"

#include <algorithm>

namespace orr {
namespace {

using ui::Rect;

using namespace wizard;

const ui::Font kSansSerifLarger{"MS Sans Serif", 9.75, false, false};
const ui::Font kArial{"Arial", 8.25, false, false};

// The restore wizard is taller than the backup's: Step 1 lists what the
// chosen backup holds between the .BAK file and the game it goes to.
constexpr int kExtra = 160;
constexpr int kListTop = 124, kRowHeight = 18;
constexpr int kGameTop = 296;  // the install: lblGame, cboInstall, cmdOtherGame
// Neighbourhood rows that fit above the row of the other sets; more go
// into two columns.
constexpr int kRows = (kGameTop - 8 - kListTop) / kRowHeight - 1;
// The boxes are made with the form (a window backend makes its windows
// once): as many as two columns of neighbourhoods and the row under them
// hold. A backup with more neighbourhoods than that restores the rest
// without a box of their own; no game makes that many.
constexpr int kBoxes = 2 * kRows + 3;

void band(ui::Label& label, const char* caption, const ui::Font& font) {
    label.setCaption(caption);
    label.setFont(font);
    label.setBackColor(ui::color::black);
    label.setForeColor(ui::color::white);
    label.setAlignment(ui::Alignment::center);
}

void text(ui::Label& label, const char* caption, const ui::Font& font) {
    label.setCaption(caption);
    label.setFont(font);
}

void square(ui::Shape& shape, ui::Color fill) {
    shape.setShape(ui::ShapeKind::square);
    shape.setFilled(true);
    shape.setFillColor(fill);
}

}  // namespace

frmRestore::frmRestore(Program& program)
    : ui::Form(program.gui, "frmRestore"),
      rail(*this, markerLeft(1), kMarkerTop[0] + kMarkerSide / 2, markerLeft(1),
           kMarkerTop[kLastStep] + kMarkerSide / 2, kExtra),
      lblHead(fraSteps.add(*this, panelBox(kExtra)), "lblHead", {0, 16, kVisibleWidth, 33}),
      lblStartText(fraSteps(0), "Label1", {16, 80, 393, 33}),
      shpStartOrange(fraSteps(0), "Shape1", {16, 224 + kExtra, 17, 17}),
      shpStartBlue(fraSteps(0), "Shape2", {40, 224 + kExtra, 17, 17}),
      shpStartGreen(fraSteps(0), "Shape3", {64, 224 + kExtra, 17, 17}),
      lblStep1(fraSteps.add(*this, panelBox(kExtra)), "Label2", {16, 16, 97, 17}),
      lblStep1Text(fraSteps(1), "Label8", {16, 48, 393, 17}),
      txtDescriptor(fraSteps(1), "text1", {16, 68, 225, 25}),
      btnSelect(fraSteps(1), "btnSelect", {249, 68, 65, 25}),
      lblContents(fraSteps(1), "lblContents", {16, 104, 393, 17}),
      lblGame(fraSteps(1), "lblGame", {16, kGameTop, 393, 33}),
      cboInstall(fraSteps(1), "cboInstall", {16, kGameTop + 36, 393, 21}),
      cmdOtherGame(fraSteps(1), "cmdOtherGame", {16, kGameTop + 65, 129, 25}),
      lblStep2(fraSteps.add(*this, panelBox(kExtra)), "Label3", {16, 16, 97, 17}),
      lblStep2Text(fraSteps(2), "Label11", {16, 64, 393, 33}),
      lblStep3(fraSteps.add(*this, panelBox(kExtra)), "Label4", {16, 16, 97, 17}),
      lblStep3Text(fraSteps(3), "Label10", {16, 64, 393, 33}),
      lblStep4(fraSteps.add(*this, panelBox(kExtra)), "Label5", {16, 16, 97, 17}),
      lblStep4Text(fraSteps(4), "Label9", {16, 64, 393, 33}),
      lblFinishHead(fraSteps.add(*this, panelBox(kExtra)), "Label7", {0, 16, kVisibleWidth, 41}),
      lblCongratulations(fraSteps(5), "Label6", {16, 80, 393, 17}),
      lblRestored(fraSteps(5), "Label12", {0, 120, kVisibleWidth, 17}),
      lblCloseHint(fraSteps(5), "Label13", {16, 160, 393, 17}),
      shpFinishOrange(fraSteps(5), "Shape4", {16, 236 + kExtra, 17, 17}),
      shpFinishBlue(fraSteps(5), "Shape5", {40, 236 + kExtra, 17, 17}),
      shpFinishGreen(fraSteps(5), "Shape6", {64, 236 + kExtra, 17, 17}),
      lblSummary(fraSteps(5), "lblSummary", {16, 180, 393, 56 + kExtra}),
      cmdUndo(fraSteps(5), "cmdUndo", {280, 232 + kExtra, 129, 25}),
      buttons(*this, kExtra),
      program_(program),
      installChoice_(program, lblGame, cboInstall, cmdOtherGame) {
    frameWindow(*this, kExtra);

    for (int i = 0; i <= kLastStep; ++i) {
        auto& marker = rail.shpSteps.add(rail.picWiz, Rect{markerLeft(i), kMarkerTop[i], kMarkerSide, kMarkerSide});
        square(marker, i == kLastStep ? kFinishAhead : kOther);
        marker.setBorderColor(ui::color::black);
        auto& label = rail.lblSteps.add(rail.picWiz, Rect{labelLeft(i), kMarkerTop[i] + 2, 89, 17});
        label.setCaption(kStepNames[i]);
        label.setForeColor(ui::color::white);
        label.setFont(kSansSerif);
    }
    rail.shpSteps(0).setFillColor(kCurrent);
    rail.lblSteps(0).setFontBold(true);

    stylePanels(fraSteps);
    fraSteps(0).bringToFront();

    band(lblHead, "Welcome to Vovu Zudarev", {"MS Sans Serif", 18, false, false});
    text(lblStartText, "This wizard will restore your Sims customizations", kSansSerifLarger);
    square(shpStartOrange, ui::rgb(255, 192, 0));
    square(shpStartBlue, ui::rgb(0, 160, 255));
    square(shpStartGreen, ui::rgb(0, 192, 96));

    text(lblStep1, "Step 1", kStepTitle);
    text(lblStep1Text, "Please select Deve vozuvi  to restore", kArial);
    btnSelect.setCaption("Select");
    text(lblContents, "Restore these parts of the backup:", kArial);
    lblContents.setVisible(false);
    for (int i = 0; i < kBoxes; ++i) {
        ui::CheckBox& check = chkSets.add(fraSteps(1), Rect{24, kListTop, 385, 17});
        check.setFont(kArial);
        check.setVisible(false);
        check.setTabIndex(6 + i);
        check.Click = [this] { enableNextForChoice(); };
    }
    program_.lookForGame();
    lblGame.setFont(kArial);
    cboInstall.setFont(kArial);
    cmdOtherGame.setFont(kSansSerif);
    installChoice_.show();

    text(lblStep2, "Step 2", kStepTitle);
    text(lblStep2Text, "Restoring customized settings...", kArial);
    text(lblStep3, "Step 3", kStepTitle);
    text(lblStep3Text, "Restoring animation, floors, lights, roofs, skins, textures, user objects and walls", kArial);
    text(lblStep4, "Step 4", kStepTitle);
    text(lblStep4Text, "Restoring characters and houses...", kArial);

    band(lblFinishHead, "Vovu Zudarev", {"Arial", 24, false, false});
    text(lblCongratulations, "Congratulations!", kSansSerifLarger);
    text(lblRestored, "Sims customizations have been successfully restored.", kArial);
    lblRestored.setAlignment(ui::Alignment::center);
    text(lblCloseHint, "Click Finish to close program", kArial);
    text(lblSummary, "", kArial);
    cmdUndo.setCaption("Undo this restore");
    cmdUndo.setFont(kSansSerif);
    cmdUndo.setVisible(false);
    square(shpFinishOrange, ui::rgb(255, 192, 0));
    square(shpFinishBlue, ui::rgb(0, 160, 255));
    square(shpFinishGreen, ui::rgb(0, 192, 96));

    // Next holds the focus at first (Back is disabled). A focused button
    // that is disabled hands the focus on in this order: Back to Next, Next
    // (during the run) to Cancel, Cancel (on Finish) to Finish; never into
    // a panel that is not in front.
    buttons.cmdBack.setTabIndex(0);
    buttons.cmdNext.setTabIndex(1);
    buttons.cmdCancel.setTabIndex(2);
    buttons.cmdFinish.setTabIndex(3);
    txtDescriptor.setTabIndex(4);
    btnSelect.setTabIndex(5);
    cboInstall.setTabIndex(40);  // after the boxes of chkSets, from 6 on
    cmdOtherGame.setTabIndex(41);

    buttons.cmdNext.Click = gate_.next([this] { cmdNext_Click(); });
    buttons.cmdBack.Click = gate_.back([this] { cmdBack_Click(); });
    buttons.cmdCancel.Click = [this] { cmdCancel_Click(); };
    buttons.cmdFinish.Click = [this] { cmdFinish_Click(); };
    btnSelect.Click = [this] { btnSelect_Click(); };
    txtDescriptor.Change = [this] { showContents(); };
    cmdUndo.Click = gate_.next([this] { cmdUndo_Click(); });
    // Deliberate: closing the wizard through its frame leaves no window to
    // go on with (the menu stays hidden), so it ends the program.
    FrameClose = [this] { program_.quit(); };
}

void frmRestore::cmdNext_Click() {
    std::unique_ptr<platform::RunClaim> claim;
    // The buttons follow the step Next starts from; this call may be nested
    // in an outer one, so nothing below relies on a value read before it.
    switch (step_) {
    case 0: buttons.set(false, true, false, true); break;
    case 1: buttons.set(true, true, false, true); break;
    case 2:
    case 3: buttons.set(false, false, false, true); break;
    case 4: buttons.set(false, false, true, false); break;
    default: break;
    }
    ++step_;

    if (step_ - 1 == 1) {
        descriptor::Verdict verdict =
            descriptor::check(program_.services, txtDescriptor.text(), program_.game.allFolders());
        if (!verdict.accepted) {
            program_.services.messages.show(verdict.message, "Orrindale", platform::MsgButtons::ok,
                                            platform::MsgIcon::none);
            if (verdict.clearPath) txtDescriptor.setText("");
            // Rail and panel stay on Step 1; Back is now enabled.
            step_ = 1;
            return;
        }
        // Without a game there is nowhere to restore to: said before anything is written.
        if (!program_.game.found) {
            program_.services.messages.show(program_.game.notFoundMessage(), "Orrindale", platform::MsgButtons::ok,
                                            platform::MsgIcon::exclamation);
            step_ = 1;
            return;
        }
        // A restore under the running game would be lost or mixed when it saves.
        if (gameRuns(program_.processes, program_.gameFolder().folder)) {
            program_.services.messages.show(gameRunningText(), "Orrindale", platform::MsgButtons::ok,
                                            platform::MsgIcon::exclamation);
            step_ = 1;
            return;
        }
        // Nor beside a backup that the schedule started meanwhile: held
        // from the checks to the end of the run.
        claim = program_.services.files.claimRun();
        if (!claim) {
            program_.services.messages.show(report::anotherRunText(), "Orrindale", platform::MsgButtons::ok,
                                            platform::MsgIcon::exclamation);
            step_ = 1;
            return;
        }
        program_.backupFolder = verdict.backupFolder;
        if (!checkedAgainstManifest() || !newerPlayAccepted()) {
            step_ = 1;
            return;
        }
    }

    if (step_ >= kLastStep) step_ = kLastStep;
    rail.move(static_cast<std::int16_t>(step_ - 1), step_);
    fraSteps(step_).bringToFront();
    if (step_ == 1) enableNextForChoice();

    // Returns when the run is over and the wizard is on Finish.
    if (step_ == 2) clsRestore(program_).Restore();
}

// Before anything is copied, the backup is read against its manifest.
// False: stay on Step 1.
bool frmRestore::checkedAgainstManifest() {
    backupcheck::Checked checked = backupcheck::beforeRestore(
        program_.services, program_.folderCopier, txtDescriptor.text(), program_.backupFolder, nullptr, leftOutSets());
    damagedFiles = std::move(checked.leaveOut);
    checkedFiles = std::move(checked.listed);
    return checked.restore;
}

// Before anything is copied: a neighbourhood played since the backup was
// made would go back in time. Asked once, No by default; No changes nothing.
bool frmRestore::newerPlayAccepted() {
    platform::Services& services = program_.services;
    const std::string home = ClsSims(services, program_.folderCopier, program_.gameFolder(), program_.backupFolder, [] {})
                                 .userDataDestination();
    std::vector<PlayedSince> played = playedSince(services.files, program_.backupFolder, home);
    // A neighbourhood left out is left as the game has it: nothing to ask.
    const std::vector<std::string> leftOut = leftOutSets();
    std::erase_if(played, [&](const PlayedSince& p) {
        return std::any_of(leftOut.begin(), leftOut.end(), [&](const std::string& s) { return ascii::equal(s, p.name); });
    });
    if (played.empty()) return true;
    const platform::DateTime made = backupDay(services.files, txtDescriptor.text()).value_or(services.clock.now());
    return services.messages.show(newerPlayQuestion(played, made, services.locale), "Orrindale",
                                  platform::MsgButtons::yesNo,
                                  platform::MsgIcon::exclamation) == platform::MsgAnswer::yes;
}

void frmRestore::runFailed(const std::string& message) {
    program_.services.messages.show(message, "Orrindale", platform::MsgButtons::ok, platform::MsgIcon::exclamation);
    backToStep1();
    enableNextForChoice();
}

void frmRestore::backToStep1() {
    const std::int16_t from = step_;
    step_ = 1;
    rail.move(from, step_);
    fraSteps(step_).bringToFront();
    buttons.set(true, true, false, true);
}

void frmRestore::offerUndo(const std::string& descriptor) {
    undoDescriptor_ = descriptor;
    cmdUndo.setVisible(true);
}

// The undo folder's own backup, restored through the same checks as any:
// from Step 1, as if the user had chosen its .BAK file there.
void frmRestore::cmdUndo_Click() {
    cmdUndo.setVisible(false);
    lblRestored.setCaption("Sims customizations have been successfully restored.");
    txtDescriptor.setText(undoDescriptor_);
    backToStep1();
    cmdNext_Click();
}

void frmRestore::cmdBack_Click() {
    buttons.set(false, true, false, true);
    --step_;
    if (step_ <= 0) step_ = 0;
    rail.move(static_cast<std::int16_t>(step_ + 1), step_);
    fraSteps(step_).bringToFront();
}

void frmRestore::cmdCancel_Click() { program_.quit(); }

void frmRestore::cmdFinish_Click() { program_.end(); }

std::vector<std::string> frmRestore::leftOutSets() const {
    std::vector<std::string> out;
    // Boxes of a backup other than the one being restored say nothing of it.
    if (!ascii::equal(contentsFolder_, program_.backupFolder)) return out;
    for (std::size_t i = 0; i < contents_.size() && i < kBoxes; ++i)
        if (!chkSets(static_cast<int>(i)).value()) out.push_back(contents_[i].set);
    return out;
}

void frmRestore::showContents() {
    platform::Services& services = program_.services;
    const descriptor::Verdict verdict = descriptor::check(services, txtDescriptor.text(), program_.game.allFolders());
    contents_ = verdict.accepted ? backupContents(services.files, verdict.backupFolder) : std::vector<BackupEntry>{};
    contentsFolder_ = verdict.accepted ? verdict.backupFolder : std::string();

    const auto neighbourhoods = static_cast<int>(std::count_if(contents_.begin(), contents_.end(), [](const auto& e) {
        return e.kind == BackupEntry::Kind::neighbourhood;
    }));
    const bool twoColumns = neighbourhoods > kRows;
    int n = 0, other = 0;
    const int shown = std::min(static_cast<int>(contents_.size()), kBoxes);
    for (int i = 0; i < shown; ++i) {
        const BackupEntry& entry = contents_[static_cast<std::size_t>(i)];
        Rect box;
        if (entry.kind == BackupEntry::Kind::neighbourhood) {
            // Two columns are too narrow for the date: the counts stay.
            // Read down the first column, then the second, as a list reads.
            const int perColumn = twoColumns ? (neighbourhoods + 1) / 2 : neighbourhoods;
            const int column = n / perColumn, row = n % perColumn;
            box = {24 + column * 194, kListTop + row * kRowHeight, twoColumns ? 190 : 385, 17};
            ++n;
        } else {
            // Downloads, GameData and SkinsBuy share the row under them.
            const int rows = twoColumns ? (neighbourhoods + 1) / 2 : neighbourhoods;
            constexpr int kLeft[] = {24, 184, 304}, kWide[] = {152, 112, 105};
            box = {kLeft[other % 3], kListTop + rows * kRowHeight, kWide[other % 3], 17};
            ++other;
        }
        ui::CheckBox& check = chkSets(i);
        check.setBounds(box);
        check.setCaption(entryCaption(entry, services.locale, twoColumns));
        check.setValue(true);
        check.setVisible(true);
    }
    for (int i = shown; i < chkSets.count(); ++i) chkSets(i).setVisible(false);
    lblContents.setVisible(!contents_.empty());
    enableNextForChoice();
}

void frmRestore::enableNextForChoice() {
    if (step_ != 1) return;
    bool any = contents_.empty();  // nothing listed yet: Next checks the path and says what is wrong
    for (int i = 0; i < std::min(static_cast<int>(contents_.size()), kBoxes); ++i) any = any || chkSets(i).value();
    buttons.cmdNext.setEnabled(any);
}

void frmRestore::btnSelect_Click() {
    // Cancel in the dialog gives "", which empties the box.
    txtDescriptor.setText(MFile::ShowOpenDialog(program_.dialogs, "Open", "Backup files BAK|*.BAK"));
}

}  // namespace orr
