#pragma once
// The pieces of the platform's window library that arrived after the first
// Windows 95: looked up when the program runs, with a way that works on the
// oldest system where they are missing. The common controls' versions:
// 4.00 ships with Windows 95, 4.70 with Internet Explorer 3, 4.71 with
// Internet Explorer 4, 4.72 with Windows 98.

#include <windows.h>

namespace klarvo {

// Registers the up-down, progress and tab classes. InitCommonControlsEx
// needs common controls 4.70; without it InitCommonControls registers
// every class that 4.00 has, these among them.
void InitCommonControlClasses();

// How a window learns that the pointer has left it.
enum class LeaveTracking {
    // TrackMouseEvent (user32 of Windows 98 and NT 4), else
    // _TrackMouseEvent (common controls 4.70), else Emulated.
    Best,
    // A timer on the window that watches the pointer and posts
    // WM_MOUSELEAVE once it is over another window: for Windows 95 without
    // a browser update, where neither function exists. The window's
    // procedure hands its WM_TIMER to LeaveTimerFired.
    Emulated,
};

// Asks for one WM_MOUSELEAVE when the pointer leaves `window`. False when
// nothing could be set up.
bool TrackMouseLeave(HWND window, LeaveTracking how = LeaveTracking::Best);

// For a window procedure's WM_TIMER: true when the timer was the emulated
// tracking's, which it then has handled.
bool LeaveTimerFired(HWND window, WPARAM timerId);

// Range messages of the up-down and progress controls. The 32-bit ranges
// need common controls 4.71 (up-down) and 4.70 (progress); the 16-bit range
// that every version knows is set first, so an older library keeps a range
// cut to 16 bits instead of none.
void SetUpDownRange(HWND updown, int min, int max);
void SetProgressRange(HWND progress, int min, int max);

} // namespace klarvo
