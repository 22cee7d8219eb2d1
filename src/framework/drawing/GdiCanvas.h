#pragma once

// The canvas that draws on a device context. Pen, brush and font are
// realised lazily when a call needs them and stay selected until the state
// changes or the canvas lets go of the DC; every object it creates is
// selected out before it is deleted.

#include "framework/drawing/Canvas.h"
#include "win/Gdi.h"

#include <windows.h>

#include <cstdint>

namespace klarvo {

class GdiCanvas : public Canvas {
public:
    GdiCanvas() = default;
    explicit GdiCanvas(HDC dc) { Attach(dc); }
    ~GdiCanvas() override { Detach(); }

    // Starts drawing on dc (the DC stays the caller's); Detach restores the
    // DC's original objects and frees those the canvas made.
    void Attach(HDC dc);
    void Detach();
    bool Attached() const { return dc_ != nullptr; }

    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Polygon(std::span<const Point> points) override;
    void Polyline(std::span<const Point> points) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillRect(const Rect& r) override;
    void FrameRect(const Rect& r) override;
    void Frame3D(Rect& r, Color topLeft, Color bottomRight, int width) override;
    void DrawFocusRect(const Rect& r) override;
    void WriteText(int x, int y, std::string_view text) override;
    int TextRect(std::string_view text, Rect& r, unsigned format) override;
    Size TextExtent(std::string_view text) override;
    void Draw(int x, int y, const Bitmap& bitmap) override;
    void DrawPart(int x, int y, const Bitmap& bitmap, const Rect& source, bool transparent) override;
    HDC__* Handle() override { return dc_; }

    // Drawing calls made so far through every GDI canvas of the process
    // (measuring text is not drawing), so that a check can see that nothing
    // is drawn where it cannot be seen.
    static std::uint64_t DrawCalls() { return drawCalls_; }

    // The GDI objects for the current state, selected into the DC.
    HPEN PenHandle();
    HBRUSH BrushHandle();
    HFONT FontHandle();

protected:
    // Lets a subclass fetch its DC on first use (a window's canvas).
    virtual void NeedDc() {}

private:
    void RealisePen();
    void RealiseBrush();
    void RealiseFont();
    void PrepareText();
    static void Counted() { ++drawCalls_; }

    static inline std::uint64_t drawCalls_ = 0;

    HDC dc_ = nullptr;
    GdiObject<HPEN> penObj_;
    GdiObject<HBRUSH> brushObj_;
    GdiObject<HFONT> fontObj_;
    Pen penMade_;
    Brush brushMade_;
    Font fontMade_;
    COLORREF penRgb_ = 0;
    COLORREF brushRgb_ = 0;
    HGDIOBJ oldPen_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
};

// Builds the platform font for a description.
HFONT CreateFontFor(const Font& font);

} // namespace klarvo
