#include "framework/window/WinControl.h"

#include "framework/drawing/WindowCanvas.h"

#include <vector>

namespace klarvo {

void WinControl::PaintControls(HDC dc, Control* first)
{
    bool started = first == nullptr;
    for (Control* c : std::vector<Control*>(controls_)) {
        if (c == first) {
            started = true;
        }
        auto* g = dynamic_cast<GraphicControl*>(c);
        if (!started || !g || !g->Visible()) {
            continue;
        }
        Rect b = g->BoundsRect();
        if (!RectVisible(dc, reinterpret_cast<const RECT*>(&b))) {
            continue;
        }
        SavedDc saved(dc);
        POINT org{};
        OffsetViewportOrgEx(dc, b.left, b.top, &org);
        IntersectClipRect(dc, 0, 0, b.Width(), b.Height());
        GdiCanvas canvas(dc);
        canvas.font = g->GetFont();
        canvas.brush.color = g->GetColor();
        g->PaintTo(canvas);
        canvas.Detach();
    }
}

// ---- custom-painted windowed controls --------------------------------------

CustomControl::CustomControl(Component* owner) : WinControl(owner) {}

CustomControl::~CustomControl() = default;

void CustomControl::PaintTo(Canvas& canvas)
{
    canvas_.PaintOn(canvas, [this] { Paint(); });
}

Canvas& CustomControl::GetCanvas()
{
    if (Canvas* painting = canvas_.Painting()) {
        return *painting;
    }
    WindowCanvas& own = canvas_.Own(font_);
    own.font = font_;
    own.Target(Handle(), Rect{0, 0, Width(), Height()});
    return own;
}

void CustomControl::PaintWindow(HDC dc, const PAINTSTRUCT&)
{
    canvas_.FreeOwn();
    GdiCanvas canvas(dc);
    canvas.font = font_;
    canvas.brush.color = color_;
    PaintTo(canvas);
    canvas.Detach();
}

} // namespace klarvo
