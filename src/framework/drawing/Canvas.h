#pragma once

// The canvas: pen, brush and font state plus the drawing calls the controls
// use. Canvas is an interface; GdiCanvas (GdiCanvas.h) draws on a device
// context; the tests' RecordingCanvas (tests/recording/) records every call
// with the state in force so that drawing code can be checked call by call.
//
// State is plain data: set pen/brush/font fields, then draw. Colours may be
// system colours; they are resolved at the moment of drawing.

#include "framework/drawing/Color.h"
#include "framework/drawing/Font.h"
#include "framework/drawing/Types.h"

#include <memory>
#include <span>
#include <string_view>

struct HDC__;

namespace klarvo {

class Bitmap;

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame };
// Raster operation of the pen (the platform's R2_ codes).
enum class PenMode { Copy, Not, Xor, MaskPen, MergePen, NotCopy };
enum class BrushStyle { Solid, Clear };

struct Pen {
    Color color = clBlack;
    PenStyle style = PenStyle::Solid;
    int width = 1;
    PenMode mode = PenMode::Copy;
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    Color color = clWhite;
    BrushStyle style = BrushStyle::Solid;
    friend bool operator==(const Brush&, const Brush&) = default;
};

class Canvas {
public:
    Pen pen;
    Brush brush;
    Font font;

    Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    virtual ~Canvas() = default;

    // Outlined with the pen and filled with the brush; right/bottom exclusive.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    // Closed, outlined with the pen, filled with the brush, alternate fill.
    virtual void Polygon(std::span<const Point> points) = 0;
    // Open line through the points; the last point itself is not drawn.
    virtual void Polyline(std::span<const Point> points) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // Draws from the current position; the end point itself is not drawn.
    virtual void LineTo(int x, int y) = 0;
    Point PenPos() const { return penPos_; }

    // Fills with the brush (nothing with a clear brush); no outline.
    virtual void FillRect(const Rect& r) = 0;
    // A 1-pixel frame in the brush colour.
    virtual void FrameRect(const Rect& r) = 0;
    // The platform's 3-D frame: `width` rings, top/left in one colour and
    // bottom/right in the other; r shrinks by the width on every side.
    virtual void Frame3D(Rect& r, Color topLeft, Color bottomRight, int width) = 0;
    virtual void DrawFocusRect(const Rect& r) = 0;

    // Text in the font and font colour; behind it the brush colour, or
    // nothing when the brush is clear.
    virtual void WriteText(int x, int y, std::string_view text) = 0;
    // The platform's DrawTextA with its DT_ format flags; with DT_CALCRECT it
    // only measures and widens/heightens r. Returns the text height.
    virtual int TextRect(std::string_view text, Rect& r, unsigned format) = 0;
    virtual Size TextExtent(std::string_view text) = 0;
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }

    // Copies the whole bitmap with its top-left corner at (x, y).
    virtual void Draw(int x, int y, const Bitmap& bitmap) = 0;
    // Copies part of a bitmap; `transparent` leaves out the pixels of the
    // colour of its bottom-left pixel (the image-list rule).
    virtual void DrawPart(int x, int y, const Bitmap& bitmap, const Rect& source, bool transparent) = 0;

    // The device context, or null for a canvas that draws nowhere.
    virtual HDC__* Handle() = 0;

protected:
    Point penPos_;
};

// Points a control's "canvas being painted on" at `canvas` for one paint,
// and back to what it was afterwards, also when the paint throws.
class PaintingScope {
public:
    PaintingScope(Canvas*& slot, Canvas& canvas) : slot_(slot), before_(slot) { slot_ = &canvas; }
    ~PaintingScope() { slot_ = before_; }
    PaintingScope(const PaintingScope&) = delete;
    PaintingScope& operator=(const PaintingScope&) = delete;

private:
    Canvas*& slot_;
    Canvas* before_;
};

class WindowCanvas;

// What a control draws on: during a paint the paint's canvas, at any other
// time a canvas of the control's own on its window, made when first needed.
class ControlCanvas {
public:
    // Runs paint() with `canvas` as the canvas being painted on.
    template <typename Paint> void PaintOn(Canvas& canvas, Paint paint)
    {
        PaintingScope scope(painting_, canvas);
        paint();
    }
    // The canvas being painted on; null outside painting.
    Canvas* Painting() const { return painting_; }
    // The control's own canvas; a new one starts in `font`.
    WindowCanvas& Own(const Font& font);
    // Gives back the device context the own canvas holds, if any.
    void FreeOwn();

private:
    Canvas* painting_ = nullptr;
    // Always a WindowCanvas, held by its base so that this header stays
    // free of windows.h.
    std::unique_ptr<Canvas> own_;
};

} // namespace klarvo
