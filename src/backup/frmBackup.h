// The backup wizard: Start, Step 1 to Step 4 and Finish. Step 2 asks for
// the backup folder; leaving it sets off the backup run, which moves the
// wizard on by itself (through cmdNext_Click) while it copies and brings it
// to Finish, where the folder is shown for the user to copy elsewhere.
//
// The step is the program-wide Program::backupStep, not a member: the
// backup run reads it too.
#pragma once

#include "shell/InstallChoice.h"
#include "shell/PressGate.h"
#include "shell/WizardLook.h"
#include "ui/ControlArray.h"
#include "ui/Controls.h"
#include "platform/filesystem.h"
#include "ui/Form.h"

#include <string>

namespace orr {

class Program;

class frmBackup : public ui::Form {
public:
    // Loads the form: step 0, Start in front, Back and Finish disabled; the
    // game is looked for and its folder shown on Step 1.
    explicit frmBackup(Program& program);

    // Members are named for what they show; the forms' original control
    // names, which the driver and the scenarios use, are their string ids.

    wizard::Rail rail;
    ui::ControlArray<ui::Line> linSteps;  // ticks from the rail's line to markers 1 to 4

    // The step panels, index = step.
    ui::ControlArray<ui::Frame> fraSteps;
    // 0 Start
    ui::Shape shpStartBand;  // the band behind the heading
    ui::Label lblHead;
    ui::Label lblStartTitle;
    ui::Label lblStartHint;
    // 1 Step 1
    ui::Label lblStep1;
    ui::Label lblStep1Text;
    ui::Label lblStep1Hint;
    ui::Label lblGame;  // the game folder in use
    ui::ComboBox cboInstall;          // the installs found, when more than one
    ui::CommandButton cmdOtherGame;   // "Other game folder..."
    // 2 Step 2
    ui::Label lblStep2;
    ui::Label lblStep2Text;
    ui::Label lblFolderPrompt;
    ui::TextBox txtFolder;
    ui::CommandButton btnSelect;
    ui::Label lblStep2Hint;
    // 3 Step 3
    ui::Label lblStep3;
    ui::Label lblStep3Text;
    ui::Label lblStep3Hint;
    // 4 Step 4
    ui::Label lblStep4;
    ui::Label lblStep4Text;
    ui::Label lblStep4Hint;
    // 5 Finish
    ui::Shape shpFinishBand;  // the band behind the heading
    ui::Label lblFinishHead;
    ui::Label lblCongratulations;
    ui::Label lblComplete;
    ui::Label lblCopyAdvice;
    ui::TextBox txtPath;
    ui::Label lblCopyAdviceEnd;
    ui::CommandButton cmdCopyPath;  // "Copy to Clipboard"
    ui::Label lblSummary;        // what the copies did
    ui::CheckBox chkWeekly;      // "Back up to this folder every week", after a completed backup

    wizard::ButtonRow buttons;

    // One step on. Also called by the game data sets while they copy, so it
    // is entered again while an outer call is still running: everything it
    // needs after a nested call it keeps in locals.
    void cmdNext_Click();
    // A run that did not complete: says so, then Step 2 again, the folder
    // kept, so that the user can try again.
    void runFailed(const std::string& message);
    // The backup completed: the weekly box shows, ticked when the folder
    // has its weekly task. Ticking it later schedules the backup for this
    // day of the week at this time.
    void offerWeekly();

    // The program-wide backup step (0 Start, 1 to 4, 5 Finish).
    int step() const;

private:
    // The other buttons' handlers: only their clicks call them.
    void cmdBack_Click();
    void cmdCancel_Click();
    void cmdFinish_Click();
    // Runs the folder picker and puts its folder into the folder box.
    void btnSelect_Click();
    // Puts the Finish panel's path on the clipboard.
    void Command1_Click();
    // Adds or removes the folder's weekly task as the box says; when that
    // fails, says so and puts the box back as the schedule is.
    void chkWeekly_Click();
    // Sets the box without acting on it.
    void showWeekly(bool on);
    void yield(int times);
    void say(const std::string& text);

    Program& program_;
    PressGate gate_;
    InstallChoice installChoice_;
    // When the backup completed: the weekly task's day and time.
    platform::DateTime completedAt_;
    bool settingWeekly_ = false;
};

}  // namespace orr
