#pragma once

#include "win/Handles.h"

#include <windows.h>

#include <string>

namespace klarvo::resident {

// The cleaner's icon in the taskbar's notification area. It shows free
// megabytes as digits, or a plain mark when that display is off.
class TrayIcon {
public:
    TrayIcon(HWND owner, UINT callbackMessage);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon or brings it up to date; `freeMB` < 0 shows the mark.
    void Show(int freeMB, const std::string& tip);
    // After Explorer restarts, its notification area has forgotten us.
    void Recreate();
    void Remove();

private:
    bool Send(DWORD action);
    bool AddOrModify();

    HWND owner_;
    UINT callbackMessage_;
    IconHandle icon_;
    int shownMB_ = -1;
    std::string tip_;
    bool added_ = false;
};

// The 16 x 16 picture of a number, at most four digits (TotalRamMB stays
// below 4097).
IconHandle MakeNumberIcon(int number);
// The plain mark.
IconHandle MakeMarkIcon();

} // namespace klarvo::resident
