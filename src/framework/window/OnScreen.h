#pragma once

// Dialogs and message boxes of the platform place themselves, some by the
// owner's corner, so on a small screen they can run past its edge. While a
// KeepDialogsOnScreen lives, every window this thread activates for the
// first time is moved wholly inside the work area of the screen holding the
// owner.

#include <windows.h>

#include <set>

namespace klarvo {

// The work area (the screen less the taskbar) of the monitor nearest a
// window; Windows 95 and NT 4 have no monitor functions, and there the one
// screen's work area serves.
RECT WorkAreaAround(HWND window);

// Moves a window the least way that puts it wholly inside the work area
// around `reference` (itself when null).
void MoveIntoWorkArea(HWND window, HWND reference);

class KeepDialogsOnScreen {
public:
    explicit KeepDialogsOnScreen(HWND owner);
    ~KeepDialogsOnScreen();
    KeepDialogsOnScreen(const KeepDialogsOnScreen&) = delete;
    KeepDialogsOnScreen& operator=(const KeepDialogsOnScreen&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Place(HWND window);

    HWND owner_;
    HHOOK hook_ = nullptr;
    KeepDialogsOnScreen* outer_ = nullptr;
    std::set<HWND> placed_;
};

} // namespace klarvo
