// The windows behind one form: the top-level window, a child window for
// each windowed control (buttons, option buttons, check boxes, edit boxes,
// drop-down lists, frames and picture boxes), and the drawing of the windowless ones by their container.
#pragma once

#include "System.h"
#include "ui/Controls.h"
#include "ui/Form.h"

#include <windows.h>

#include <vector>

namespace orr::ui {

class FormWindow final : public FormPeer {
public:
    FormWindow(Win32Gui::System& system, Form& form);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    void formChanged(Aspect what) override;
    void controlChanged(Control& control, Aspect what) override;
    void focusChanged(Control* control) override;
    void destroyWindows() override;
    std::uintptr_t handle() const override { return reinterpret_cast<std::uintptr_t>(hwnd_); }
    void readBack(FormView& view) const override;

    Form& form() const { return form_; }
    HWND hwnd() const { return hwnd_; }
    // The control's own window, nullptr for a windowless control.
    HWND windowOf(const Control& control) const;
    // For a windowless control: its container's window and the middle of
    // the control in that window's client pixels.
    HWND containerOf(const Control& control, POINT& middle) const;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

private:
    struct Item {
        Control* control;
        HWND hwnd;    // nullptr: windowless
        HWND parent;  // the container window it sits in
    };

    void createWindow();
    void createItem(Item& item);
    void stackInZOrder();
    void placeWindow();
    void relayout();
    void applyBounds(const Item& item);
    void applyFont(const Item& item);
    void placeList(const Item& item);
    static void fillList(HWND hwnd, const ComboBox& combo);
    void invalidateArea(const Item& item);
    Item* itemOf(const Control* control);
    const Item* itemOf(const Control* control) const;
    Item* itemOf(HWND hwnd);
    HWND windowOfContainer(const Control* container) const;
    const Control* controlOfContainer(HWND hwnd) const;
    RECT rectOf(const Control& control) const;

    LRESULT handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void command(HWND child, WORD code);
    LRESULT colors(HDC dc, HWND child, HWND container);
    void paint(HWND container, HDC dc);
    void paintLabel(HDC dc, const Label& label);
    void paintShape(HDC dc, const Shape& shape);
    void paintLine(HDC dc, const Line& line);
    void paintFrameBorder(HDC dc, HWND container, const Frame& frame);
    Label* labelAt(HWND container, POINT p);

    Win32Gui::System& system_;
    Form& form_;
    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;
    std::vector<Item> items_;
    Label* pressed_ = nullptr;  // the label the mouse button went down on
    bool settingText_ = false;  // the change comes from the program, not the user
};

}  // namespace orr::ui
