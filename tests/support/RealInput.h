#pragma once

// The mouse and keyboard as a person uses them: events go into the
// platform's input queue (SendInput) and reach whatever window is under the
// pointer or has the focus, with capture, activation and key state as the
// platform keeps them. Each call returns once this thread has handled what
// it sent.

#include <windows.h>

#include <initializer_list>

namespace klarvo::test {

// Pumps until no input is waiting for this thread.
void SettleInput();

// The event that moves the pointer to a point of the screen, for code that
// must send it bare (from inside a modal loop that takes the input itself).
INPUT PointerMoveEvent(POINT screen);

// Moves the pointer to a point of a window's client area (or of the screen).
void MoveTo(HWND window, int x, int y);
void MoveToScreen(POINT screen);

enum class Button { Left, Right, Middle };

// A button at the pointer's place.
void PressButton(Button button);
void ReleaseButton(Button button);
void PressLeft();
void ReleaseLeft();
// Moves there, presses and releases.
void ClickAt(HWND window, int x, int y);

void KeyDown(WORD vk);
void KeyUp(WORD vk);
// Presses and releases a key while the modifiers are held (VK_CONTROL, VK_SHIFT).
void TapKey(WORD vk, std::initializer_list<WORD> modifiers = {});

} // namespace klarvo::test
