#pragma once

// A top-level window. Its window class name can be chosen (the shell's main
// window is found by class name). Closing the main form ends the run. The
// form routes accelerator characters to its controls (DialogChar) and moves
// the focus with Tab.

#include "framework/window/WinControl.h"

#include <string>

namespace klarvo {

enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow };
enum class FormPosition { Designed, ScreenCenter };

class Form : public CustomControl {
public:
    explicit Form(Component* owner, const std::string& windowClass = "TForm");
    ~Form() override;

    BorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(BorderStyle s) { borderStyle_ = s; }
    // WS_SYSMENU / WS_MINIMIZEBOX / WS_MAXIMIZEBOX.
    void SetBorderIcons(bool systemMenu, bool minimize, bool maximize);
    FormPosition Position() const { return position_; }
    void SetPosition(FormPosition p) { position_ = p; }
    const std::string& WindowClassName() const { return windowClass_; }

    // The control that has, or gets when the form is activated, the focus.
    WinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(WinControl* c);
    // Moves the focus to the next (or previous) tab stop after the focused
    // control, or the first (last) one when nothing of the form has it.
    void SelectNext(bool forward);
    // Moves the focus to the first tab stop after `from` in tab order that
    // can take it: a control that can no longer hold the focus hands it on.
    void SelectNextFrom(WinControl* from, bool forward);
    // Focuses the first tab stop inside `root`; false when it has none.
    bool FocusFirstIn(WinControl* root);

    // Whether the person has moved the focus with the keyboard (Tab, an
    // arrow, Alt). Windows 9x keeps no such state, so the form notes it.
    bool KeyboardCues() const { return keyboardCues_; }
    void NoteKeyboardNavigation();
    // Fires once, when KeyboardCues first becomes true.
    NotifyEvent OnKeyboardCues;
    // Offers an accelerator character to OnShortcut, then to every control;
    // true when used.
    bool DispatchDialogChar(char ch);
    // A character typed outside an edit, or with Alt: clearing it (0) uses
    // it, for actions of controls that cannot take the focus.
    KeyPressEvent OnShortcut;

    void Close();
    NotifyEvent OnCreate;
    NotifyEvent OnShow;
    NotifyEvent OnDestroy;
    // Painting of the form's own face (after the background erase).
    NotifyEvent OnPaint;

protected:
    void CreateParams(WindowParams& params) override;
    void CreateWnd() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint() override;
    void VisibleChanged() override;
    // With the focus outside any page control, the first visible one turns.
    bool TurnPage(bool forward) override;

private:
    friend class WinControl;
    std::string windowClass_;
    BorderStyle borderStyle_ = BorderStyle::Sizeable;
    FormPosition position_ = FormPosition::Designed;
    bool sysMenu_ = true, minBox_ = true, maxBox_ = true;
    bool shownOnce_ = false;
    WinControl* activeControl_ = nullptr;
    bool keyboardCues_ = false;
};

} // namespace klarvo
