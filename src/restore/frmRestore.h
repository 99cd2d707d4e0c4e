// The restore wizard: Start, Step 1 (choose a backup descriptor), Steps 2
// to 4 (the restore runs), Finish. Shown modal by the main menu. It owns
// its step; the restore run and the game data sets move it on through the
// public cmdNext_Click while they copy.
#pragma once

#include "gamedata/BackupContents.h"
#include "copy/copy_outcome.h"
#include "shell/InstallChoice.h"
#include "shell/PressGate.h"
#include "shell/WizardLook.h"
#include "ui/ControlArray.h"
#include "ui/Controls.h"
#include "ui/Form.h"

#include <cstdint>
#include <vector>

namespace orr {

class Program;

class frmRestore : public ui::Form {
public:
    // Loads the form at Start; the game is looked for and its folder shown on Step 1.
    explicit frmRestore(Program& program);

    // Members are named for what they show; the forms' original control
    // names, which the driver and the scenarios use, are their string ids.

    wizard::Rail rail;

    // The step panels, stacked; the one whose index is the step is in front.
    ui::ControlArray<ui::Frame> fraSteps{"fraSteps"};
    // 0 Start
    ui::Label lblHead;
    ui::Label lblStartText;
    ui::Shape shpStartOrange;
    ui::Shape shpStartBlue;
    ui::Shape shpStartGreen;
    // 1 Step 1
    ui::Label lblStep1;
    ui::Label lblStep1Text;
    ui::TextBox txtDescriptor;
    ui::CommandButton btnSelect;
    ui::Label lblContents;                    // "Restore these parts of the backup:"
    ui::ControlArray<ui::CheckBox> chkSets{"chkSets"};  // one a set of the chosen backup, ticked at first
    ui::Label lblGame;  // the game folder in use
    ui::ComboBox cboInstall;          // the installs found, when more than one
    ui::CommandButton cmdOtherGame;   // "Other game folder..."
    // 2 Step 2
    ui::Label lblStep2;
    ui::Label lblStep2Text;
    // 3 Step 3
    ui::Label lblStep3;
    ui::Label lblStep3Text;
    // 4 Step 4
    ui::Label lblStep4;
    ui::Label lblStep4Text;
    // 5 Finish
    ui::Label lblFinishHead;
    ui::Label lblCongratulations;
    ui::Label lblRestored;
    ui::Label lblCloseHint;
    ui::Shape shpFinishOrange;
    ui::Shape shpFinishBlue;
    ui::Shape shpFinishGreen;
    ui::Label lblSummary;  // what the copies did
    ui::CommandButton cmdUndo;  // "Undo this restore", when its files were kept

    wizard::ButtonRow buttons;

    // Moves the wizard one step on. Re-entrant: the restore run calls it
    // three more times while the call that left Step 1 is still running.
    // Leaving Step 1 checks the descriptor in txtDescriptor first;
    // reaching Step 2 runs the whole restore before it returns.
    void cmdNext_Click();
    // A run that did not complete: says so, then Step 1 again with the
    // path kept, so that the user can try again.
    void runFailed(const std::string& message);
    // A restore that completed and kept what it replaced in one undo folder,
    // marked as a backup by `descriptor`: Finish offers to undo it.
    void offerUndo(const std::string& descriptor);

    // Files of the backup that its manifest showed missing or damaged and
    // the user chose to leave out (full paths); set at Step 1.
    std::vector<std::string> damagedFiles;
    // What the backup's manifest lists, set at Step 1: the restore's copies
    // are held against it (backupcheck::failChangedFiles).
    std::vector<platform::CopyOutcome::FileDigest> checkedFiles;

    // The sets of the chosen backup whose boxes are not ticked, by their
    // paths below the backup folder: the restore leaves them as they are.
    std::vector<std::string> leftOutSets() const;

    // 0 Start, 1 to 4 Step 1 to Step 4, 5 Finish.
    std::int16_t step() const { return step_; }

private:
    // Step 1 again, its rail, panel and buttons, the chosen path kept.
    void backToStep1();
    // The other buttons' handlers: only their clicks call them.
    void cmdBack_Click();
    void cmdCancel_Click();
    void cmdFinish_Click();
    void btnSelect_Click();
    void cmdUndo_Click();
    bool checkedAgainstManifest();
    bool newerPlayAccepted();
    // Lists what the backup of txtDescriptor's descriptor holds, every box
    // ticked; nothing while the path names no backup.
    void showContents();
    // Next on Step 1 needs at least one ticked set.
    void enableNextForChoice();

    Program& program_;
    PressGate gate_;
    InstallChoice installChoice_;
    std::string undoDescriptor_;
    std::vector<BackupEntry> contents_;  // what chkSets show, in their order
    std::string contentsFolder_;         // the backup folder they are of
    std::int16_t step_ = 0;
};

}  // namespace orr
