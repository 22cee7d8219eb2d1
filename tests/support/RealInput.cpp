#include "support/RealInput.h"

#include <gtest/gtest.h>

#include "support/Pump.h"

namespace klarvo::test {

namespace {

void Send(INPUT input)
{
    if (SendInput(1, &input, sizeof input) != 1) {
        ADD_FAILURE() << "SendInput refused an event (" << GetLastError() << ")";
    }
    SettleInput();
}

// Absolute coordinates run from 0 to 65536 over the primary screen; rounding
// up lands on the pixel asked for.
LONG Normalised(LONG pixel, int extent)
{
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

INPUT Mouse(DWORD flags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    return in;
}

} // namespace

void SettleInput()
{
    // Twice empty in a row: handling one event may hand on another (a press
    // that activates a window, a move that follows a capture).
    int quiet = 0;
    const bool settled = WaitUntil(
        [&] {
            quiet = HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE)) == 0 ? quiet + 1 : 0;
            return quiet >= 2 || QuitIsWaiting();
        },
        2000);
    if (!settled) {
        ADD_FAILURE() << "input kept arriving";
    }
}

INPUT PointerMoveEvent(POINT screen)
{
    INPUT in = Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    in.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    in.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    return in;
}

void MoveToScreen(POINT screen)
{
    Send(PointerMoveEvent(screen));
    POINT now{};
    GetCursorPos(&now);
    if (now.x != screen.x || now.y != screen.y) {
        ADD_FAILURE() << "the pointer went to " << now.x << "," << now.y << " instead of " << screen.x << ","
                      << screen.y;
    }
}

void MoveTo(HWND window, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(window, &p);
    MoveToScreen(p);
}

void PressButton(Button button)
{
    Send(Mouse(button == Button::Left    ? MOUSEEVENTF_LEFTDOWN
               : button == Button::Right ? MOUSEEVENTF_RIGHTDOWN
                                         : MOUSEEVENTF_MIDDLEDOWN));
}

void ReleaseButton(Button button)
{
    Send(Mouse(button == Button::Left    ? MOUSEEVENTF_LEFTUP
               : button == Button::Right ? MOUSEEVENTF_RIGHTUP
                                         : MOUSEEVENTF_MIDDLEUP));
}

void PressLeft()
{
    PressButton(Button::Left);
}

void ReleaseLeft()
{
    ReleaseButton(Button::Left);
}

void ClickAt(HWND window, int x, int y)
{
    MoveTo(window, x, y);
    PressLeft();
    ReleaseLeft();
}

void KeyDown(WORD vk)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    Send(in);
}

void KeyUp(WORD vk)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    Send(in);
}

void TapKey(WORD vk, std::initializer_list<WORD> modifiers)
{
    for (WORD m : modifiers) {
        KeyDown(m);
    }
    KeyDown(vk);
    KeyUp(vk);
    for (auto it = modifiers.end(); it != modifiers.begin();) {
        KeyUp(*--it);
    }
}

} // namespace klarvo::test
