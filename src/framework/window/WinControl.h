#pragma once

// Windowed controls. A WinControl owns an HWND, made on demand when it has
// a parent window (or is a top-level form). All its messages go through one
// static window procedure, which finds the object attached at WM_NCCREATE
// (from CreateWindowEx's creation parameter) and calls WndProc; WndProc
// dispatches each message to one handler, which calls the virtual ones. Overrides
// of WndProc see a message before the framework's processing and run the
// framework's by calling WinControl::WndProc. No exception leaves the window
// procedure: one raised by a handler goes to Application::HandleException.
//
// Standard platform controls (EDIT, msctls_updown32, ...) are subclassed:
// CreateParams names the platform class and DefaultHandler calls its own
// procedure.
//
// CustomControl is the base for controls that paint themselves: Paint() draws
// on GetCanvas(); a face composed in an OffscreenBitmap is copied to the
// canvas in one block.

#include "framework/window/Control.h"
#include "win/Gdi.h"
#include "win/MessageWindow.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace klarvo {

class GdiCanvas;

struct WindowParams {
    std::string caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
    // Window class: our own (registered on demand) unless platformClass is
    // set, in which case that class is subclassed.
    std::string className;
    std::string platformClass;
    UINT classStyle = CS_DBLCLKS;
    HBRUSH background = nullptr;
};

class WinControl : public Control {
public:
    explicit WinControl(Component* owner);
    ~WinControl() override;

    // The window; made now if it does not exist yet (null if it cannot be,
    // for instance a child without a parent window).
    HWND Handle();
    bool HandleAllocated() const { return hwnd_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window; it is made again when next needed.
    void DestroyHandle();
    // A window that exists is made again, for a style fixed at creation.
    void RecreateHandle();

    // Children in order: windowed and windowless, as inserted.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    Control* Controls(int index) const { return controls_.at(static_cast<std::size_t>(index)); }
    // The topmost visible enabled-or-not child at a client point, windowless
    // children only unless allowWindowed.
    Control* ControlAtPos(Point p, bool allowWindowed = false) const;

    // Windowed children in tab order.
    const std::vector<WinControl*>& TabList() const { return tabList_; }
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v) { tabStop_ = v; }
    bool Focused() const;
    // Whether the focus is in this control's window or one inside it.
    bool ContainsFocus() const;
    bool CanFocus() const;
    void SetFocus();
    // A platform control keeps the capture to itself.
    bool CapturesMouse() const override;

    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    std::string Text() const override;
    void SetText(const std::string& text) override;
    Rect ClientRect() const override;
    void Invalidate() override;
    void Repaint() override;
    std::intptr_t Perform(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

    // Paints the windowless children (from `first` on, or all) on a DC whose
    // origin is this control's client origin, in child order.
    void PaintControls(HDC dc, Control* first = nullptr);

    // The message handler: the framework's processing of every message.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The platform's processing: DefWindowProc, or the subclassed control's own.
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);

    // Whether a character is the accelerator ("&x") of a caption; "&&" is a
    // literal ampersand and marks nothing.
    static bool IsAccel(char ch, const std::string& caption);

    // Keyboard events.
    NotifyEvent OnEnter;
    NotifyEvent OnExit;
    KeyEvent OnKeyDown;
    KeyEvent OnKeyUp;
    KeyPressEvent OnKeyPress;

    // The object attached to one of this program's windows, or null for
    // any other window.
    static WinControl* FromHandle(HWND hwnd);

protected:
    virtual void CreateParams(WindowParams& params);
    // Makes the window from CreateParams; overrides run a hook after it.
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // Frees the children it owns, lets the others go, then the window and
    // the owned components; for destructors, while the object is whole.
    void DestroyChildren();

    // Handlers called by WndProc.
    virtual void PaintWindow(HDC dc, const PAINTSTRUCT& ps);
    // Answer to WM_ERASEBKGND: true when the background was dealt with.
    // The base fills the client area with the control's colour.
    virtual bool EraseBackground(HDC dc);
    virtual void KeyDown(unsigned short& key, ShiftState shift) { FireEvent(OnKeyDown, this, key, shift); }
    virtual void KeyUp(unsigned short& key, ShiftState shift) { FireEvent(OnKeyUp, this, key, shift); }
    // Fires OnKeyPress; a key set to 0 is swallowed.
    virtual void KeyPress(char& key) { FireEvent(OnKeyPress, this, key); }
    // Focus gained / lost; the bases fire OnEnter / OnExit.
    virtual void DoEnter() { FireEvent(OnEnter, this); }
    virtual void DoExit() { FireEvent(OnExit, this); }
    // Size changed; the base fires OnResize.
    virtual void Resize() { FireEvent(OnResize, this); }
    // An accelerator character offered by the form: true when used.
    virtual bool DialogChar(char ch);
    // Ctrl+Tab (forward) or Ctrl+Shift+Tab, offered to the focused control
    // and then to each of its parents: true when a page was turned.
    virtual bool TurnPage(bool) { return false; }
    // Whether WM_CHAR should reach this control (edits) or be offered to the
    // form's accelerators first (buttons).
    virtual bool WantsChars() const { return false; }

    void TextChanged() override {}
    void BoundsChanged() override;
    void VisibleChanged() override;
    void ParentChanged() override;
    void FontChanged() override;

    // Applies the control's font / colour to its window (standard controls).
    void ApplyFontToWindow();

    HWND hwnd_ = nullptr;

private:
    friend class Control;
    friend class Form;
    friend class Application;
    // The control's side of the shared window procedure. A member rather
    // than a second base, which would give every control class a second
    // table of virtuals and the shell kilobytes more.
    class Port : public MessageWindow {
    public:
        explicit Port(WinControl& control) : control_(control) {}
        WinControl& control_;

    private:
        LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
        // A handler's failure goes to the application's error box.
        void OnFailure() override;
        void OnAttach(HWND hwnd) override;
        void OnDetach(HWND hwnd) override;
    };
    Port port_{*this};
    void InsertControl(Control* c);
    void RemoveControl(Control* c);
    LRESULT HandleMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    // One per message (or family of messages) that Dispatch handles.
    LRESULT WmPaint(WPARAM wParam, LPARAM lParam);
    LRESULT WmMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT WmMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT WmCaptureChanged(WPARAM wParam, LPARAM lParam);
    LRESULT WmSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT WmKeyDown(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT WmKeyUp(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT WmChar(WPARAM wParam, LPARAM lParam);
    LRESULT WmSysChar(WPARAM wParam, LPARAM lParam);
    LRESULT WmSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT WmKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT WmSetText(WPARAM wParam, LPARAM lParam);
    LRESULT WmWindowPosChanged(WPARAM wParam, LPARAM lParam);
    // A child's notification to its parent, handed to the child's object.
    LRESULT ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT CnCtlColor(HDC dc);
    // A control that can no longer hold the focus hands it to the next tab
    // stop, so the keys never go nowhere.
    void HandFocusOn();

    std::vector<Control*> controls_;
    std::vector<WinControl*> tabList_;
    bool tabStop_ = false;
    WNDPROC platformProc_ = nullptr;
    bool creating_ = false;
    GdiObject<HFONT> windowFont_;
    GdiObject<HBRUSH> colorBrush_;
    COLORREF colorBrushRgb_ = 0;

public:
    // For the routers: the brush of the control's colour (standard controls' WM_CTLCOLOR).
    HBRUSH ColorBrush();
};

// A windowed control that paints itself on its own canvas.
class CustomControl : public WinControl {
public:
    explicit CustomControl(Component* owner);
    ~CustomControl() override;

    // Draws the control on any canvas (tests record with it).
    void PaintTo(Canvas& canvas);
    // The canvas being painted on during Paint(); outside painting, a canvas
    // on the window (valid until the current message has been handled).
    Canvas& GetCanvas();

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc, const PAINTSTRUCT& ps) override;

private:
    ControlCanvas canvas_;
};

} // namespace klarvo
