#pragma once

// The tray icon's pictures: the free-memory figure drawn at 16 x 16.

#include "win/Gdi.h"
#include "win/Handles.h"

#include <windows.h>

#include <cstddef>
#include <string>

namespace klarvo::resident {

// The highest figure the tray shows: four digits (TotalRamMB stays below
// 4097).
constexpr int kMaxFigure = 9999;

// Draws the tray's 16 x 16 pictures. The colour bitmap, the mask, the
// memory DC and the digit fonts are made on first use and drawn over for
// every new figure: the figure changes every few seconds for as long as the
// cleaner runs.
class TrayPainter {
public:
    // A number of at most four digits (kMaxFigure).
    IconHandle NumberIcon(int number);
    // The plain mark.
    IconHandle MarkIcon();

private:
    bool Ready();
    template <typename Paint> IconHandle Make(Paint paint);

    MemoryDc dc_;
    BitmapHandle colour_;
    BitmapHandle mask_;
    // One per face: up to two digits, three, four.
    static constexpr std::size_t kDigitFaces = 3;
    FontHandle fonts_[kDigitFaces];
};

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
    // Whether the taskbar holds the icon: it refuses one while it is not
    // running, and a later announcement of its start brings the icon back.
    bool Shown() const { return added_; }

private:
    bool Send(DWORD action);
    bool AddOrModify();

    HWND owner_;
    UINT callbackMessage_;
    TrayPainter painter_;
    IconHandle icon_;
    int shownMB_ = -1;
    std::string tip_;
    bool added_ = false;
};

} // namespace klarvo::resident
