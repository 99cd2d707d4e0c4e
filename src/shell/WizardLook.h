// What the backup and the restore wizard share: the window, the step rail's
// places and colours, the stacked step panels and the button row under
// them. Each wizard lays out its own rail line and panel contents.
#pragma once

#include "ui/ControlArray.h"
#include "ui/Controls.h"
#include "ui/Form.h"

#include <array>

namespace orr::wizard {

inline constexpr int kLastStep = 5;  // Finish; Start is 0
inline constexpr const char* kStepNames[] = {"Start", "Step 1", "Step 2", "Step 3", "Step 4", "Finish"};

// The rail: Start and Finish sit 16 pixels left of the steps between them
// (their labels 8), so the rail reads as a path with its ends on the line.
inline constexpr std::array<int, kLastStep + 1> kMarkerTop{8, 32, 64, 96, 128, 160};
inline constexpr int kMarkerSide = 17;
inline constexpr bool isEnd(int step) { return step == 0 || step == kLastStep; }
inline constexpr int markerLeft(int step) { return isEnd(step) ? 8 : 24; }
inline constexpr int labelLeft(int step) { return isEnd(step) ? 40 : 48; }
inline constexpr ui::Rect kRail{0, 0, 145, 265};

// Rail and panel come to 570 pixels, 4 more than the window is wide: the
// panels lose their right edge (nothing is placed there), so the rail shows
// whole and meets them in one straight line.
inline constexpr int kWidth = 566;
inline constexpr ui::Rect kPanel{145, 0, 425, 257};
inline constexpr int kVisibleWidth = kWidth - kPanel.left;  // what bands and centred texts span

inline constexpr int kButtonTop = 273;
inline constexpr ui::Rect kCancelBox{282, kButtonTop, 65, 25};
inline constexpr ui::Rect kBackBox{355, kButtonTop, 65, 25};
inline constexpr ui::Rect kNextBox{420, kButtonTop, 65, 25};
inline constexpr ui::Rect kFinishBox{493, kButtonTop, 65, 25};
inline constexpr int kShadowY = 266;  // the bar above the buttons: shadow, then light below it

// A wizard whose panels need more room is `extra` pixels taller: panels,
// rail, bar and buttons move down together, the widths stay.
constexpr ui::Rect panelBox(int extra) { return {kPanel.left, kPanel.top, kPanel.width, kPanel.height + extra}; }
constexpr ui::Rect below(ui::Rect box, int extra) { return {box.left, box.top + extra, box.width, box.height}; }

inline constexpr ui::Color kCurrent = ui::rgb(0, 255, 0);
inline constexpr ui::Color kOther = ui::rgb(128, 128, 128);
inline constexpr ui::Color kFinishAhead = ui::rgb(255, 0, 0);
inline constexpr ui::Color kPanelGrey = ui::rgb(192, 192, 192);

inline const ui::Font kSansSerif{"MS Sans Serif", 8.25, false, false};
inline const ui::Font kStepTitle{"MS Sans Serif", 9.75, true, false};

// No title bar, fixed dialog border, 566 x 306 (and `extra`), MS Sans Serif.
void frameWindow(ui::Form& form, int extra = 0);
// Borderless panels, white at Start and Finish, grey between.
void stylePanels(ui::ControlArray<ui::Frame>& panels);

// The step rail left of the panels: a black box without a border, a white
// line through it, and a marker and a label per step, which each wizard
// adds. A wizard makes it first; members keep the forms' control names.
struct Rail {
    // The line runs from (x1, y1) to (x2, y2) in the box.
    Rail(ui::Form& form, int x1, int y1, int x2, int y2, int extra = 0);
    // Moves the highlight from step `from` to step `to`: the marker left
    // goes grey (Finish red again), its label plain; the new one green, bold.
    void move(int from, int to);

    ui::PictureBox picWiz;
    ui::Line linRail;
    ui::ControlArray<ui::Shape> shpSteps{"shpSteps"};
    ui::ControlArray<ui::Label> lblSteps{"lblSteps"};
};

// The row under the panels: the bar above it, then the buttons. A wizard
// makes it after its panels; members keep the forms' control names.
struct ButtonRow {
    // Captions and colours; Back and Finish disabled; Esc presses Cancel.
    explicit ButtonRow(ui::Form& form, int extra = 0);
    // Enables each button as told, the ones to enable first: a focused
    // button that goes disabled then hands the focus to a button this call
    // enables (Next to Finish, Cancel to Finish), not past it.
    void set(bool back, bool next, bool finish, bool cancel);

    ui::Line linBarShadow;
    ui::Line linBarLight;
    ui::CommandButton cmdCancel;
    ui::CommandButton cmdBack;
    ui::CommandButton cmdNext;
    ui::CommandButton cmdFinish;
};

}  // namespace orr::wizard
