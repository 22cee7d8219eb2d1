#include "controls/CoolHint.h"

#include "controls/CoolHintShape.h"
#include "win/Gdi.h"
#include "framework/window/Application.h"

#include <array>

namespace klarvo {

namespace {

// The size of the last activation: the outline is drawn at that size, not
// at the client size, which the framework makes 4 pixels taller. The
// application has one hint window at a time.
hintshape::Extent lastSize{};

HintWindowClass previousClass = nullptr;
bool installed = false;

// Switching hints off and on again makes the application replace its hint
// window with one of the class now in force.
void ChangeHintClass(HintWindowClass cls)
{
    Application& app = App();
    const bool showing = app.ShowHint();
    if (showing) {
        app.SetShowHint(false);
    }
    app.SetHintWindowClass(cls);
    if (showing) {
        app.SetShowHint(true);
    }
}

} // namespace

TddgHintWindow::TddgHintWindow() = default;

TddgHintWindow::~TddgHintWindow()
{
    DropShape();
}

void TddgHintWindow::CreateParams(WindowParams& params)
{
    HintWindow::CreateParams(params);
    params.style &= ~static_cast<DWORD>(WS_BORDER);
}

void TddgHintWindow::DropShape()
{
    if (shape_ != nullptr && HandleAllocated()) {
        SetWindowRgn(hwnd_, nullptr, TRUE);
    }
    shape_ = nullptr;
}

void TddgHintWindow::ActivateHint(Rect screenRect, const std::string& text)
{
    Canvas& canvas = GetCanvas();
    canvas.font = App().HintFont();
    screenRect.right += canvas.TextWidth("WWWW");
    SetBounds(screenRect.left, screenRect.top, screenRect.Width(), screenRect.Height());

    DropShape();
    lastSize = hintshape::MakeSize(Width(), Height());
    const auto vertices = hintshape::ShapePolygon(lastSize);
    std::array<POINT, 6> points{};
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        points[i] = POINT{vertices[i].x, vertices[i].y};
    }
    RegionHandle region(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE));
    // The window owns the region once it accepts it, and frees it with itself.
    if (region && SetWindowRgn(Handle(), region.Get(), TRUE)) {
        shape_ = region.Release();
    }
    HintWindow::ActivateHint(screenRect, text);
}

void TddgHintWindow::Paint()
{
    PaintText(1, DT_CENTER | DT_WORDBREAK | DT_VCENTER | DT_NOPREFIX);
    Canvas& canvas = GetCanvas();
    canvas.pen.color = clBlue;
    const auto outline = hintshape::OutlinePolyline(lastSize);
    canvas.Polyline(outline);
}

void TddgHintWindow::DestroyWnd()
{
    DropShape();
    HintWindow::DestroyWnd();
}

std::unique_ptr<HintWindow> MakeCoolHintWindow()
{
    return std::make_unique<TddgHintWindow>();
}

void InstallCoolHint()
{
    if (installed) {
        return;
    }
    previousClass = App().GetHintWindowClass();
    ChangeHintClass(&MakeCoolHintWindow);
    installed = true;
}

void UninstallCoolHint()
{
    if (!installed) {
        return;
    }
    ChangeHintClass(previousClass);
    installed = false;
}

} // namespace klarvo
