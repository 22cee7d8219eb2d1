#include "framework/standard/StdCtrls.h"

#include "framework/drawing/GdiCanvas.h"
#include "framework/window/WinControl.h"

#include <windows.h>

namespace klarvo {

// ---- Label -----------------------------------------------------------------

Label::Label(Component* owner) : GraphicControl(owner)
{
    bounds_ = Bounds(0, 0, 65, 17);
    SetCapturesMouse(false);
}

void Label::SetAutoSize(bool v)
{
    if (Store(autoSize_, v)) {
        AdjustBounds();
    }
}

unsigned Label::TextFormat() const
{
    unsigned f = DT_EXPANDTABS;
    if (wordWrap_) {
        f |= DT_WORDBREAK;
    }
    if (!showAccelChar_) {
        f |= DT_NOPREFIX;
    }
    switch (alignment_) {
    case Alignment::Left:
        f |= DT_LEFT;
        break;
    case Alignment::Right:
        f |= DT_RIGHT;
        break;
    case Alignment::Center:
        f |= DT_CENTER;
        break;
    }
    return f;
}

void Label::TextChanged()
{
    AdjustBounds();
}

void Label::FontChanged()
{
    GraphicControl::FontChanged();
    AdjustBounds();
}

void Label::AdjustBounds()
{
    if (!autoSize_) {
        return;
    }
    MemoryDc dc(nullptr);
    GdiCanvas c(dc.Get());
    c.font = font_;
    Rect r{0, 0, wordWrap_ ? Width() : 0, 0};
    std::string text = Text();
    // An empty caption still takes one line's height.
    c.TextRect(text.empty() ? std::string(" ") : text, r, TextFormat() | DT_CALCRECT);
    int extra = 0;
    if (auto* s = dynamic_cast<ShadowLabel*>(this)) {
        extra = s->ShadowSize();
    }
    int w = r.Width() + extra;
    int h = r.Height() + extra;
    int left = Left();
    if (alignment_ == Alignment::Right) {
        left = Left() + Width() - w;
    }
    SetBounds(left, Top(), w, h);
}

void Label::DrawCaption(Canvas& canvas, Rect r, Color color)
{
    canvas.font.SetColor(color);
    canvas.TextRect(Text(), r, TextFormat());
}

void Label::Paint()
{
    Canvas& c = GetCanvas();
    Rect r = ClientRect();
    if (!transparent_) {
        c.brush.color = color_;
        c.brush.style = BrushStyle::Solid;
        c.FillRect(r);
    }
    c.brush.style = BrushStyle::Clear;
    c.font = font_;
    if (Enabled()) {
        DrawCaption(c, r, font_.GetColor());
    } else {
        Rect lit = r;
        lit.left += 1;
        lit.top += 1;
        lit.right += 1;
        lit.bottom += 1;
        DrawCaption(c, lit, clBtnHighlight);
        DrawCaption(c, r, clBtnShadow);
    }
}

// ---- ShadowLabel -----------------------------------------------------------

ShadowLabel::ShadowLabel(Component* owner) : Label(owner) {}

void ShadowLabel::SetShadowSize(int v)
{
    if (v >= 0 && Store(shadowSize_, v)) {
        AdjustBounds();
        Invalidate();
    }
}

void ShadowLabel::DrawCaption(Canvas& canvas, Rect r, Color color)
{
    // The shadow sits at the top-left of the area, the text one shadow size
    // down and to the right of it.
    if (shadowSize_ > 0) {
        canvas.font.SetColor(shadowColor_);
        Rect s = r;
        s.right -= shadowSize_;
        s.bottom -= shadowSize_;
        canvas.TextRect(Text(), s, TextFormat());
    }
    Rect t{r.left + shadowSize_, r.top + shadowSize_, r.right, r.bottom};
    canvas.font.SetColor(color);
    canvas.TextRect(Text(), t, TextFormat());
}

// ---- Bevel -----------------------------------------------------------------

Bevel::Bevel(Component* owner) : GraphicControl(owner)
{
    bounds_ = Bounds(0, 0, 50, 50);
    SetCapturesMouse(false);
}

void Bevel::Paint()
{
    Canvas& c = GetCanvas();
    Color c1 = style_ == BevelStyle::Lowered ? clBtnShadow : clBtnHighlight;
    Color c2 = style_ == BevelStyle::Lowered ? clBtnHighlight : clBtnShadow;
    int w = Width(), h = Height();
    c.pen.width = 1;
    c.pen.style = PenStyle::Solid;
    c.pen.mode = PenMode::Copy;
    auto bevelRect = [&](Rect r, Color a, Color b) {
        c.pen.color = a;
        Point first[] = {{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}};
        c.Polyline(first);
        c.pen.color = b;
        Point second[] = {{r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
        c.Polyline(second);
    };
    auto line = [&](Color col, int x1, int y1, int x2, int y2) {
        c.pen.color = col;
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
    };
    switch (shape_) {
    case BevelShape::Box:
        bevelRect(Rect{0, 0, w - 1, h - 1}, c1, c2);
        break;
    case BevelShape::Frame:
        // Two offset rings make the etched line.
        bevelRect(Rect{1, 1, w - 1, h - 1}, c2, c2);
        bevelRect(Rect{0, 0, w - 2, h - 2}, c1, c1);
        break;
    case BevelShape::TopLine:
        line(c1, 0, 0, w, 0);
        line(c2, 0, 1, w, 1);
        break;
    case BevelShape::BottomLine:
        line(c1, 0, h - 2, w, h - 2);
        line(c2, 0, h - 1, w, h - 1);
        break;
    case BevelShape::LeftLine:
        line(c1, 0, 0, 0, h);
        line(c2, 1, 0, 1, h);
        break;
    case BevelShape::RightLine:
        line(c1, w - 2, 0, w - 2, h);
        line(c2, w - 1, 0, w - 1, h);
        break;
    case BevelShape::Spacer:
        break;
    }
}

// ---- PaintBox --------------------------------------------------------------

PaintBox::PaintBox(Component* owner) : GraphicControl(owner)
{
    bounds_ = Bounds(0, 0, 105, 105);
}

void PaintBox::Paint()
{
    Canvas& c = GetCanvas();
    c.font = font_;
    c.brush.color = color_;
    if (OnPaint) {
        OnPaint(this);
    }
}

// ---- Image -----------------------------------------------------------------

Image::Image(Component* owner) : GraphicControl(owner)
{
    bounds_ = Bounds(0, 0, 105, 105);
}

void Image::PictureChanged()
{
    if (autoSize_ && !picture_.Empty()) {
        SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    }
    Invalidate();
}

void Image::SetAutoSize(bool v)
{
    autoSize_ = v;
    PictureChanged();
}

void Image::Paint()
{
    if (picture_.Empty()) {
        return;
    }
    Canvas& c = GetCanvas();
    const Bitmap& b = picture_.GetBitmap();
    int x = 0, y = 0;
    if (center_) {
        x = (Width() - b.Width()) / 2;
        y = (Height() - b.Height()) / 2;
    }
    if (transparent_) {
        c.DrawPart(x, y, b, Rect{0, 0, b.Width(), b.Height()}, true);
    } else {
        c.Draw(x, y, b);
    }
}

// ---- SpeedButton -----------------------------------------------------------

SpeedButton::SpeedButton(Component* owner) : GraphicControl(owner)
{
    bounds_ = Bounds(0, 0, 23, 22);
}

void SpeedButton::SetDown(bool v)
{
    if (groupIndex_ == 0) {
        v = false;
    }
    if (v == down_) {
        return;
    }
    if (down_ && !allowAllUp_) {
        // In a group one button is always down: only another one's going
        // down raises it.
        bool other = false;
        if (parent_) {
            for (int i = 0; i < parent_->ControlCount(); ++i) {
                auto* s = dynamic_cast<SpeedButton*>(parent_->Controls(i));
                if (s && s != this && s->groupIndex_ == groupIndex_ && s->down_) {
                    other = true;
                }
            }
        }
        if (!other && !v) {
            return;
        }
    }
    down_ = v;
    Invalidate();
    if (v) {
        UpdateExclusive();
    }
}

void SpeedButton::UpdateExclusive()
{
    if (groupIndex_ == 0 || !parent_) {
        return;
    }
    for (int i = 0; i < parent_->ControlCount(); ++i) {
        auto* s = dynamic_cast<SpeedButton*>(parent_->Controls(i));
        if (s && s != this && s->groupIndex_ == groupIndex_ && s->down_) {
            s->down_ = false;
            s->Invalidate();
        }
    }
}

void SpeedButton::SetGroupIndex(int v)
{
    groupIndex_ = v;
    if (down_) {
        UpdateExclusive();
    }
}

void SpeedButton::Click()
{
    if (pressing_) {
        // A release over the button: a group button goes down (or up again
        // where all may be up) before the click handler runs.
        pressing_ = false;
        if (groupIndex_ != 0) {
            if (!down_) {
                SetDown(true);
            } else if (allowAllUp_) {
                SetDown(false);
            }
        }
        Invalidate();
    }
    GraphicControl::Click();
}

void SpeedButton::MouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    GraphicControl::MouseDown(button, shift, x, y);
    if (button == MouseButton::Left && Enabled()) {
        pressing_ = true;
        Invalidate();
    }
}

void SpeedButton::Press()
{
    pressing_ = true;
    Click();
}

void SpeedButton::MouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    GraphicControl::MouseUp(button, shift, x, y);
    if (button == MouseButton::Left && pressing_) {
        pressing_ = false;
        Invalidate();
    }
}

void SpeedButton::MouseEnter()
{
    GraphicControl::MouseEnter();
    if (!mouseIn_ && Enabled()) {
        mouseIn_ = true;
        Invalidate();
    }
}

void SpeedButton::MouseLeave()
{
    GraphicControl::MouseLeave();
    if (mouseIn_) {
        mouseIn_ = false;
        Invalidate();
    }
}

void SpeedButton::Paint()
{
    Canvas& c = GetCanvas();
    Rect r = ClientRect();
    bool sunken = down_ || (pressing_ && Clicked());
    c.brush.style = BrushStyle::Solid;
    c.brush.color = down_ && flat_ ? cl3DLight : color_;
    c.FillRect(r);
    if (sunken) {
        c.Frame3D(r, clBtnShadow, clBtnHighlight, 1);
    } else if (!flat_ || (mouseIn_ && Enabled())) {
        c.Frame3D(r, clBtnHighlight, clBtnShadow, 1);
    }
    c.font = font_;
    c.brush.style = BrushStyle::Clear;
    Rect t = ClientRect();
    if (sunken) {
        t.left += 1;
        t.top += 1;
        t.right += 1;
        t.bottom += 1;
    }
    c.font.SetColor(Enabled() ? font_.GetColor() : clGrayText);
    c.TextRect(Text(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

} // namespace klarvo
