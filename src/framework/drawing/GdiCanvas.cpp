#include "framework/drawing/GdiCanvas.h"

#include "framework/drawing/Bitmap.h"

#include <vector>

namespace klarvo {

namespace {

int PenStyleCode(PenStyle s)
{
    switch (s) {
    case PenStyle::Solid:
        return PS_SOLID;
    case PenStyle::Dash:
        return PS_DASH;
    case PenStyle::Dot:
        return PS_DOT;
    case PenStyle::DashDot:
        return PS_DASHDOT;
    case PenStyle::DashDotDot:
        return PS_DASHDOTDOT;
    case PenStyle::Clear:
        return PS_NULL;
    case PenStyle::InsideFrame:
        return PS_INSIDEFRAME;
    }
    return PS_SOLID;
}

int PenModeCode(PenMode m)
{
    switch (m) {
    case PenMode::Copy:
        return R2_COPYPEN;
    case PenMode::Not:
        return R2_NOT;
    case PenMode::Xor:
        return R2_XORPEN;
    case PenMode::MaskPen:
        return R2_MASKPEN;
    case PenMode::MergePen:
        return R2_MERGEPEN;
    case PenMode::NotCopy:
        return R2_NOTCOPYPEN;
    }
    return R2_COPYPEN;
}

std::vector<POINT> ToPoints(std::span<const Point> points)
{
    std::vector<POINT> out;
    out.reserve(points.size());
    for (const Point& p : points) {
        out.push_back(POINT{p.x, p.y});
    }
    return out;
}

} // namespace

HFONT CreateFontFor(const Font& font)
{
    LOGFONTA lf{};
    lf.lfHeight = -font.Height();
    lf.lfWeight = (font.Style() & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style() & fsItalic) ? 1 : 0;
    lf.lfUnderline = (font.Style() & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (font.Style() & fsStrikeOut) ? 1 : 0;
    lf.lfEscapement = font.Escapement();
    lf.lfOrientation = font.Escapement();
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynA(lf.lfFaceName, font.Name().c_str(), LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

void GdiCanvas::Attach(HDC dc)
{
    Detach();
    dc_ = dc;
}

void GdiCanvas::Detach()
{
    if (dc_) {
        // Put the DC's own objects back before ours are deleted.
        if (oldPen_) {
            SelectObject(dc_, oldPen_);
        }
        if (oldBrush_) {
            SelectObject(dc_, oldBrush_);
        }
        if (oldFont_) {
            SelectObject(dc_, oldFont_);
        }
    }
    oldPen_ = oldBrush_ = oldFont_ = nullptr;
    penObj_.Reset();
    brushObj_.Reset();
    fontObj_.Reset();
    dc_ = nullptr;
}

void GdiCanvas::RealisePen()
{
    NeedDc();
    COLORREF rgb = ColorToRGB(pen.color);
    if (!penObj_ || !(penMade_ == pen) || penRgb_ != rgb) {
        GdiObject<HPEN> made(CreatePen(PenStyleCode(pen.style), pen.width, rgb));
        HGDIOBJ old = SelectObject(dc_, made.Get());
        if (!oldPen_) {
            oldPen_ = old;
        }
        penObj_ = std::move(made);
        penMade_ = pen;
        penRgb_ = rgb;
    }
    SetROP2(dc_, PenModeCode(pen.mode));
}

void GdiCanvas::RealiseBrush()
{
    NeedDc();
    COLORREF rgb = ColorToRGB(brush.color);
    if (brush.style == BrushStyle::Clear) {
        HGDIOBJ old = SelectObject(dc_, GetStockObject(NULL_BRUSH));
        if (!oldBrush_) {
            oldBrush_ = old;
        }
        brushObj_.Reset();
        brushMade_ = brush;
        return;
    }
    if (!brushObj_ || !(brushMade_ == brush) || brushRgb_ != rgb) {
        GdiObject<HBRUSH> made(CreateSolidBrush(rgb));
        HGDIOBJ old = SelectObject(dc_, made.Get());
        if (!oldBrush_) {
            oldBrush_ = old;
        }
        brushObj_ = std::move(made);
        brushMade_ = brush;
        brushRgb_ = rgb;
    } else {
        SelectObject(dc_, brushObj_.Get());
    }
}

void GdiCanvas::RealiseFont()
{
    NeedDc();
    if (!fontObj_ || !fontMade_.SameShape(font)) {
        GdiObject<HFONT> made(CreateFontFor(font));
        HGDIOBJ old = SelectObject(dc_, made.Get());
        if (!oldFont_) {
            oldFont_ = old;
        }
        fontObj_ = std::move(made);
        fontMade_ = font;
    }
}

HPEN GdiCanvas::PenHandle()
{
    RealisePen();
    return penObj_.Get();
}

HBRUSH GdiCanvas::BrushHandle()
{
    RealiseBrush();
    return brush.style == BrushStyle::Clear ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)) : brushObj_.Get();
}

HFONT GdiCanvas::FontHandle()
{
    RealiseFont();
    return fontObj_.Get();
}

void GdiCanvas::PrepareText()
{
    RealiseFont();
    SetTextColor(dc_, ColorToRGB(font.GetColor()));
    if (brush.style == BrushStyle::Clear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToRGB(brush.color));
    }
}

void GdiCanvas::Rectangle(int left, int top, int right, int bottom)
{
    Counted();
    RealisePen();
    RealiseBrush();
    ::Rectangle(dc_, left, top, right, bottom);
}

void GdiCanvas::Ellipse(int left, int top, int right, int bottom)
{
    Counted();
    RealisePen();
    RealiseBrush();
    ::Ellipse(dc_, left, top, right, bottom);
}

void GdiCanvas::Polygon(std::span<const Point> points)
{
    Counted();
    if (points.empty()) {
        return;
    }
    RealisePen();
    RealiseBrush();
    auto pts = ToPoints(points);
    SetPolyFillMode(dc_, ALTERNATE);
    ::Polygon(dc_, pts.data(), static_cast<int>(pts.size()));
}

void GdiCanvas::Polyline(std::span<const Point> points)
{
    Counted();
    if (points.empty()) {
        return;
    }
    RealisePen();
    auto pts = ToPoints(points);
    ::Polyline(dc_, pts.data(), static_cast<int>(pts.size()));
}

void GdiCanvas::MoveTo(int x, int y)
{
    NeedDc();
    MoveToEx(dc_, x, y, nullptr);
    penPos_ = Point{x, y};
}

void GdiCanvas::LineTo(int x, int y)
{
    Counted();
    RealisePen();
    MoveToEx(dc_, penPos_.x, penPos_.y, nullptr);
    ::LineTo(dc_, x, y);
    penPos_ = Point{x, y};
}

void GdiCanvas::FillRect(const Rect& r)
{
    Counted();
    if (brush.style == BrushStyle::Clear) {
        return;
    }
    RealiseBrush();
    RECT rc{r.left, r.top, r.right, r.bottom};
    ::FillRect(dc_, &rc, brushObj_.Get());
}

void GdiCanvas::FrameRect(const Rect& r)
{
    Counted();
    if (brush.style == BrushStyle::Clear) {
        return;
    }
    RealiseBrush();
    RECT rc{r.left, r.top, r.right, r.bottom};
    ::FrameRect(dc_, &rc, brushObj_.Get());
}

void GdiCanvas::Frame3D(Rect& r, Color topLeft, Color bottomRight, int width)
{
    Counted();
    NeedDc();
    GdiObject<HPEN> top(CreatePen(PS_SOLID, 1, ColorToRGB(topLeft)));
    GdiObject<HPEN> bottom(CreatePen(PS_SOLID, 1, ColorToRGB(bottomRight)));
    int oldRop = SetROP2(dc_, R2_COPYPEN);
    {
        Selection keep(dc_, top.Get());
        --r.bottom;
        --r.right;
        while (width > 0) {
            --width;
            POINT first[3] = {{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}};
            SelectObject(dc_, top.Get());
            ::Polyline(dc_, first, 3);
            POINT second[3] = {{r.right, r.top}, {r.right, r.bottom}, {r.left - 1, r.bottom}};
            SelectObject(dc_, bottom.Get());
            ::Polyline(dc_, second, 3);
            ++r.left;
            ++r.top;
            --r.right;
            --r.bottom;
        }
        ++r.bottom;
        ++r.right;
    }
    SetROP2(dc_, oldRop);
}

void GdiCanvas::DrawFocusRect(const Rect& r)
{
    Counted();
    NeedDc();
    RECT rc{r.left, r.top, r.right, r.bottom};
    // The focus rectangle is drawn by XOR with the text colours in force.
    SetTextColor(dc_, RGB(0, 0, 0));
    SetBkColor(dc_, RGB(255, 255, 255));
    ::DrawFocusRect(dc_, &rc);
}

void GdiCanvas::WriteText(int x, int y, std::string_view text)
{
    Counted();
    PrepareText();
    ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

int GdiCanvas::TextRect(std::string_view text, Rect& r, unsigned format)
{
    if (!(format & DT_CALCRECT)) {
        Counted();
    }
    PrepareText();
    RECT rc{r.left, r.top, r.right, r.bottom};
    int h = ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &rc, format);
    if (format & DT_CALCRECT) {
        r = Rect{rc.left, rc.top, rc.right, rc.bottom};
    }
    return h;
}

Size GdiCanvas::TextExtent(std::string_view text)
{
    RealiseFont();
    SIZE s{};
    GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &s);
    return Size{s.cx, s.cy};
}

void GdiCanvas::Draw(int x, int y, const Bitmap& bitmap)
{
    Counted();
    NeedDc();
    if (bitmap.Empty()) {
        return;
    }
    BitBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), bitmap.Dc(), 0, 0, SRCCOPY);
}

void GdiCanvas::DrawPart(int x, int y, const Bitmap& bitmap, const Rect& source, bool transparent)
{
    Counted();
    NeedDc();
    if (bitmap.Empty()) {
        return;
    }
    int w = source.Width();
    int h = source.Height();
    HDC src = bitmap.Dc();
    if (!transparent) {
        BitBlt(dc_, x, y, w, h, src, source.left, source.top, SRCCOPY);
        return;
    }
    // Mask: 1 where the source has the strip's bottom-left colour.
    COLORREF key = bitmap.Pixel(0, bitmap.Height() - 1);
    MemoryDc maskDc(dc_);
    BitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
    Selection sel(maskDc.Get(), mask.Get());
    COLORREF oldBk = SetBkColor(src, key);
    BitBlt(maskDc.Get(), 0, 0, w, h, src, source.left, source.top, SRCCOPY);
    SetBkColor(src, oldBk);
    COLORREF oldText = SetTextColor(dc_, RGB(0, 0, 0));
    COLORREF oldDestBk = SetBkColor(dc_, RGB(255, 255, 255));
    BitBlt(dc_, x, y, w, h, src, source.left, source.top, SRCINVERT);
    BitBlt(dc_, x, y, w, h, maskDc.Get(), 0, 0, SRCAND);
    BitBlt(dc_, x, y, w, h, src, source.left, source.top, SRCINVERT);
    SetTextColor(dc_, oldText);
    SetBkColor(dc_, oldDestBk);
}

} // namespace klarvo
