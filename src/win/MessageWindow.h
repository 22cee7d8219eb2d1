#pragma once

// The one way an object answers a window's messages: the window's class
// names MessageWindow::Procedure, CreateWindowExA is given the object as a
// MessageWindow* creation parameter, and from WM_NCCREATE to WM_NCDESTROY
// every message goes to the object's OnMessage. Nothing thrown there
// reaches the system.

#include <windows.h>

namespace klarvo {

class MessageWindow {
public:
    // Answers a message that comes before the object is attached (a
    // top-level window's WM_GETMINMAXINFO) or after it left.
    using UnattachedProc = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
    static LRESULT DefaultAnswer(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The window procedure for a class of MessageWindows. Each `Unattached`
    // makes a procedure of its own, so a class is recognised by it.
    template <UnattachedProc Unattached = DefaultAnswer>
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        return Route(window, message, wParam, lParam, Unattached);
    }

    // The object attached to `window` when the window belongs to this
    // process and its class's procedure is `procedure`; null for any other
    // window, whatever its own window bytes hold.
    static MessageWindow* Attached(HWND window, WNDPROC procedure);

protected:
    MessageWindow() = default;
    virtual ~MessageWindow() = default;
    MessageWindow(const MessageWindow&) = default;
    MessageWindow& operator=(const MessageWindow&) = default;

    virtual LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Called inside the procedure's catch, where `throw;` brings the failure
    // back: decides what it does. The message is then answered with 0.
    // (Rethrowing, not std::exception_ptr, whose runtime support would add
    // to both programs' size.)
    virtual void OnFailure() = 0;
    // The window is now this object's (WM_NCCREATE, before OnMessage sees
    // it), and is no longer (after OnMessage saw WM_NCDESTROY).
    virtual void OnAttach(HWND) {}
    virtual void OnDetach(HWND) {}

private:
    static LRESULT Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UnattachedProc unattached);
};

} // namespace klarvo
