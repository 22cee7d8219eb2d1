#pragma once

// The pop-up window in which the application shows a control's hint. A
// replacement class derives from it and changes its creation parameters,
// ActivateHint (size and shape) and Paint, then installs itself with
// App().SetHintWindowClass.
//
// The base: a WS_POPUP window with a thin border, CS_SAVEBITS, a tool window
// (WS_EX_TOOLWINDOW); background erased in App().HintColor(); Paint gets
// a canvas whose font is App().HintFont() and whose brush is clear.

#include "framework/window/WinControl.h"

#include <memory>
#include <string>

namespace klarvo {

class HintWindow : public CustomControl {
public:
    HintWindow();
    ~HintWindow() override;

    // The rectangle (at 0, 0) that a hint text needs at most maxWidth wide.
    virtual Rect CalcHintRect(int maxWidth, const std::string& text);
    // Sets the caption, adds 4 pixels to the height, keeps the rectangle on
    // the desktop and shows the window topmost without activating it.
    virtual void ActivateHint(Rect screenRect, const std::string& text);
    // Hides the hint by destroying the window.
    void ReleaseHandle() { DestroyHandle(); }

protected:
    void CreateParams(WindowParams& params) override;
    bool EraseBackground(HDC dc) override;
    void PaintWindow(HDC dc, const PAINTSTRUCT& ps) override;
    void Paint() override;
    // The text in the hint's text colour, `inset` pixels in from the top
    // left, laid out by the DrawTextA flags `format`.
    void PaintText(int inset, unsigned format);
};

// The framework's own hint-window class.
std::unique_ptr<HintWindow> MakePlainHintWindow();

} // namespace klarvo
