#pragma once

// The application's hint window: an elongated hexagon, pointed at both
// ends, outlined in blue, with the hint text centred in it. When and where
// a hint shows stays the framework's.

#include "framework/window/HintWindow.h"

#include <memory>
#include <string>

namespace klarvo {

class TddgHintWindow : public HintWindow {
public:
    TddgHintWindow();
    ~TddgHintWindow() override;

    void ActivateHint(Rect screenRect, const std::string& text) override;

    // The shape set on the window, or null while it is rectangular.
    HRGN Shape() const { return shape_; }

protected:
    void CreateParams(WindowParams& params) override;
    void DestroyWnd() override;
    void Paint() override;

private:
    void DropShape();

    // Owned by the window once set on it: never deleted here.
    HRGN shape_ = nullptr;
};

std::unique_ptr<HintWindow> MakeCoolHintWindow();

// Makes TddgHintWindow the application's hint-window class, remembering the
// one before; Uninstall puts that back. A hint window that exists is
// replaced by one of the new class. Call Install once the application
// object exists and before the main window is made.
void InstallCoolHint();
void UninstallCoolHint();

} // namespace klarvo
