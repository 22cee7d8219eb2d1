#include "framework/WinControl.h"

#include "framework/WindowCanvas.h"

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
    PaintingScope scope(painting_, canvas);
    Paint();
}

Canvas& CustomControl::GetCanvas()
{
    if (painting_) {
        return *painting_;
    }
    if (!ownCanvas_) {
        ownCanvas_ = std::make_unique<WindowCanvas>();
    }
    auto* wc = static_cast<WindowCanvas*>(ownCanvas_.get());
    wc->font = font_;
    wc->Target(Handle(), Rect{0, 0, Width(), Height()});
    return *wc;
}

void CustomControl::PaintWindow(HDC dc, const PAINTSTRUCT&)
{
    if (ownCanvas_) {
        static_cast<WindowCanvas*>(ownCanvas_.get())->Free();
    }
    GdiCanvas canvas(dc);
    canvas.font = font_;
    canvas.brush.color = color_;
    PaintTo(canvas);
    canvas.Detach();
}

} // namespace klarvo
