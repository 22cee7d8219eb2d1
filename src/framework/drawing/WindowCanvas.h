#pragma once

// A canvas on a window outside painting: it takes the window's DC on first
// use (moved to a control's place and clipped to it) and gives it back when
// the application has finished handling the current message.

#include "framework/drawing/GdiCanvas.h"

namespace klarvo {

class WindowCanvas : public GdiCanvas {
public:
    WindowCanvas() = default;
    ~WindowCanvas() override { Free(); }
    // The window and the control's client rectangle within it.
    void Target(HWND hwnd, Rect area);
    void Free();
    // Frees every window canvas holding a DC.
    static void FreeAll();

protected:
    void NeedDc() override;

private:
    HWND hwnd_ = nullptr;
    Rect area_;
    HDC dc_ = nullptr;
};

} // namespace klarvo
