#include "win/MessageWindow.h"

namespace klarvo {
namespace {

// The object is kept in GWLP_USERDATA, the slot Windows leaves to whoever
// creates a window: superclassed platform controls keep their state in
// their own window bytes, and a window property would cost an atom look-up
// on every message.
MessageWindow* Stored(HWND window)
{
    return reinterpret_cast<MessageWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Store(HWND window, MessageWindow* object)
{
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

} // namespace

LRESULT MessageWindow::DefaultAnswer(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

MessageWindow* MessageWindow::Attached(HWND window, WNDPROC procedure)
{
    DWORD process = 0;
    if (!window || !GetWindowThreadProcessId(window, &process) || process != GetCurrentProcessId() ||
        reinterpret_cast<WNDPROC>(GetClassLongPtrA(window, GCLP_WNDPROC)) != procedure) {
        return nullptr;
    }
    return Stored(window);
}

LRESULT MessageWindow::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UnattachedProc unattached)
{
    if (message == WM_NCCREATE) {
        if (auto* created =
                static_cast<MessageWindow*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams)) {
            Store(window, created);
            created->OnAttach(window);
        }
    }
    MessageWindow* self = Stored(window);
    if (!self) {
        return unattached(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = self->OnMessage(window, message, wParam, lParam);
    } catch (...) {
        try {
            self->OnFailure();
        } catch (...) {
            // The failure's own handling failed: still nothing crosses.
        }
    }
    if (message == WM_NCDESTROY) {
        Store(window, nullptr);
        self->OnDetach(window);
    }
    return result;
}

} // namespace klarvo
