#include "framework/window/WinControl.h"

#include "framework/window/Application.h"
#include "framework/window/CommonControls.h"

#include <windowsx.h>

namespace klarvo {

namespace {

ShiftState MouseShift(WPARAM w)
{
    ShiftState s = 0;
    if (w & MK_SHIFT) {
        s |= ssShift;
    }
    if (w & MK_CONTROL) {
        s |= ssCtrl;
    }
    if (w & MK_LBUTTON) {
        s |= ssLeft;
    }
    if (w & MK_RBUTTON) {
        s |= ssRight;
    }
    if (w & MK_MBUTTON) {
        s |= ssMiddle;
    }
    if (GetKeyState(VK_MENU) < 0) {
        s |= ssAlt;
    }
    return s;
}

} // namespace

LRESULT WinControl::HandleMouse(UINT msg, WPARAM wParam, LPARAM lParam)
{
    Point p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ShiftState shift = MouseShift(wParam);
    POINT screen{p.x, p.y};
    ::ClientToScreen(hwnd_, &screen);

    // The control the message is for: a windowless child holding the
    // capture, the windowless child under the point, or this window.
    Control* target = this;
    Control* captured = App().CaptureControl();
    if (captured && captured != this && captured->Parent() == this && dynamic_cast<GraphicControl*>(captured)) {
        target = captured;
    } else if (Control* c = ControlAtPos(p); c && c->Enabled()) {
        target = c;
    }
    int x = p.x - (target == this ? 0 : target->Left());
    int y = p.y - (target == this ? 0 : target->Top());

    switch (msg) {
    case WM_MOUSEMOVE: {
        // Hover follows the pointer's position, also while the mouse is
        // captured and the pointer is outside.
        Control* under = nullptr;
        if (ClientRect().Contains(p)) {
            under = ControlAtPos(p);
            if (!under) {
                under = this;
            }
        } else {
            HWND other = WindowFromPoint(screen);
            if (WinControl* w = FromHandle(other)) {
                POINT cp = screen;
                ::ScreenToClient(other, &cp);
                under = w->ControlAtPos(Point{cp.x, cp.y});
                if (!under) {
                    under = w;
                }
            }
        }
        App().SetMouseControl(under, screen);
        if (GetCapture() != hwnd_) {
            TrackMouseLeave(hwnd_);
        }
        target->MouseMove(shift, x, y);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        App().CancelHint();
        MouseButton b = (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK)   ? MouseButton::Left
                        : (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) ? MouseButton::Right
                                                                             : MouseButton::Middle;
        bool dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
        target->DispatchMouseDown(b, shift, x, y, dbl);
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        MouseButton b = msg == WM_LBUTTONUP   ? MouseButton::Left
                        : msg == WM_RBUTTONUP ? MouseButton::Right
                                              : MouseButton::Middle;
        target->DispatchMouseUp(b, shift, x, y);
        return 0;
    }
    default:
        return 0;
    }
}

// A platform control (edit, up-down, tab control, button) tracks its own
// presses: it sets and releases the capture itself and acts on a release
// only while it still holds it. So it sees every press and release first,
// with the capture as it left it, and the framework's click tracking follows
// without touching the capture. Releasing the capture before the platform
// saw the release left an up-down repeating to the end of its range.
bool WinControl::CapturesMouse() const
{
    return !platformProc_ && Control::CapturesMouse();
}

LRESULT WinControl::WmMouse(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!platformProc_) {
        return HandleMouse(msg, wParam, lParam);
    }
    const LRESULT result = DefaultHandler(msg, wParam, lParam);
    if (hwnd_) { // the platform's handling may have ended the window
        HandleMouse(msg, wParam, lParam);
    }
    return result;
}

LRESULT WinControl::WmMouseLeave(WPARAM wParam, LPARAM lParam)
{
    Control* hover = App().MouseControl();
    if (hover == this || (hover && hover->Parent() == this && dynamic_cast<GraphicControl*>(hover))) {
        if (GetCapture() != hwnd_) {
            App().SetMouseControl(nullptr, POINT{});
        }
    }
    return DefaultHandler(WM_MOUSELEAVE, wParam, lParam);
}

LRESULT WinControl::WmCaptureChanged(WPARAM wParam, LPARAM lParam)
{
    if (Control* c = App().CaptureControl();
        c && (c == this || c->Parent() == this) && reinterpret_cast<HWND>(lParam) != hwnd_) {
        App().ForgetCapture();
    }
    return DefaultHandler(WM_CAPTURECHANGED, wParam, lParam);
}

LRESULT WinControl::WmSetCursor(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == hwnd_) {
        POINT pt{};
        GetCursorPos(&pt);
        ::ScreenToClient(hwnd_, &pt);
        Control* c = ControlAtPos(Point{pt.x, pt.y});
        int cursor = c ? c->Cursor() : Cursor();
        if (cursor != crDefault) {
            ::SetCursor(CursorHandle(cursor));
            return TRUE;
        }
    }
    return DefaultHandler(WM_SETCURSOR, wParam, lParam);
}

} // namespace klarvo
