#pragma once

// The window's chrome: the caption strip (drag by the title picture,
// minimise, close), the row of page buttons that select the pages of a page
// control whose own tabs lie out of sight, the tiled background with its
// frame lines on every page, the loading of the background picture, and the
// shared Apply button's rule. See ShellHost.h for how pages reach it.

#include "framework/drawing/Canvas.h"
#include "framework/window/Control.h"
#include "pages/Page.h"
#include "pages/ShellHost.h"

#include <cstdint>
#include <functional>

namespace klarvo {

class Bitmap;
class InfoPage;

// Where the tiles of a page's background start, below the page's plain band.
constexpr int kBackgroundTop = 35;

// The tiles that cover a box: columns 0..lastCol and rows 0..lastRow of
// tileW x tileH pictures from (0, kBackgroundTop). No tiles when lastRow is
// negative or the picture has no area.
struct TileGrid {
    int lastCol = -1;
    int lastRow = -1;
    int Count() const { return lastCol < 0 || lastRow < 0 ? 0 : (lastCol + 1) * (lastRow + 1); }
};
TileGrid TileGridFor(int boxWidth, int boxHeight, int tileWidth, int tileHeight);

// A page's background on `canvas`: the tile grid for a box of boxWidth x
// boxHeight, then a black frame along `bounds` and a blue one inset by one.
void PaintPageBackground(Canvas& canvas, const Bitmap& tile, int boxWidth, int boxHeight, Rect bounds);

// The page a page button selects: its name's third character as a digit,
// minus one; -1 when that is no page of the row (nb1 is 0, nb7 is 6).
int PageOfButtonName(const std::string& name);

// The check control raises OnClick for the mouse only. The window follows a
// box turned by the space bar as it follows a click: once the state has
// changed, the box's own click handler runs. Call after the form is loaded.
void FollowSpaceBarToggles(Component& root);

class Chrome {
public:
    // `info` is the page whose picture follows the page control.
    Chrome(ShellHost& host, InfoPage& info);

    // Adds the chrome's handlers: nb1MouseDown, pcChange, imcapMouseDown,
    // nbminimizeClick, nbcloseClick, pb1Paint and the shared setting-changed
    // handlers (udminprocClick, cbtempClick, edhot1Change).
    void Bind(HandlerTable& handlers);
    static const std::span<const HandlerRow<Chrome>> kHandlerRows;

    // A press of any mouse button on a page button: it stays down, the
    // others of the row come up, and its page becomes the active one.
    void nb1MouseDown(Component* sender, MouseButton button, ShiftState shift, int x, int y);
    // Makes a page active and presses its button as a mouse press does
    // (start-up, a second instance's request, the end of a RAM cleaning).
    void SelectPage(int page);
    // ntShowPage from a second start: its page, capped at the last, shown
    // and the window restored; a negative page is ignored entirely.
    void ShowAskedPage(std::int64_t page);
    // The page control turned a page (Ctrl+Tab): the row follows, and the
    // Info page's picture is redrawn when it is the one turned to.
    void pcChange(Component* sender);
    void imcapMouseDown(Component* sender, MouseButton button, ShiftState shift, int x, int y);
    void nbminimizeClick(Component* sender);
    void nbcloseClick(Component* sender);
    void pb1Paint(Component* sender);
    // Each of these only marks the settings as changed.
    void udminprocClick(Component*) { EnableApply(); }
    void cbtempClick(Component*) { EnableApply(); }
    void edhot1Change(Component*) { EnableApply(); }

    // The chosen background or the built-in one into imback, drawn, and the
    // pages told; a picture that cannot be loaded falls back silently.
    void LoadBackground();

    // The Apply button: enabled means unapplied changes.
    Control& ApplyButton();
    void EnableApply();
    // Show handlers of pages without settings.
    void HideApply();
    // Show handlers of pages with settings: Apply shown, the page's own
    // enabling handlers run, and Apply's enabled state left as it was.
    void ShowApplyKeepingState(const std::function<void()>& alignControls);

    // Starts the platform's move loop for the window as if its caption had
    // been pressed. Replaceable, because the loop holds the thread until
    // the mouse button is released.
    std::function<void()> beginSystemMove;

private:
    ShellHost& host_;
    InfoPage& info_;
};

} // namespace klarvo
