#include "support/Pump.h"

#include <gtest/gtest.h>

#include "framework/window/Application.h"

namespace klarvo::test {

void Pump()
{
    MSG msg;
    int handled = 0;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Left for the loop that owns it, as the application leaves it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        App().ProcessMessage(msg);
        if (++handled == 100000) {
            char name[64] = {};
            GetClassNameA(msg.hwnd, name, sizeof name);
            ADD_FAILURE() << "message " << msg.message << " to a " << name << " keeps coming";
            return;
        }
    }
}

bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        Pump();
        if (done()) {
            return true;
        }
        if (GetTickCount() - start >= milliseconds) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

bool QuitIsWaiting()
{
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

} // namespace klarvo::test
