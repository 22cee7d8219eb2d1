#include "recording/RecordingCanvas.h"

#include "framework/drawing/Bitmap.h"
#include "framework/drawing/GdiCanvas.h"

#include <windows.h>

namespace klarvo {

namespace {

// A polygon's or polyline's points as one record's arguments: x, y, x, y, ...
std::vector<int> Coordinates(std::span<const Point> points)
{
    std::vector<int> args;
    for (const Point& p : points) {
        args.push_back(p.x);
        args.push_back(p.y);
    }
    return args;
}

} // namespace

struct RecordingCanvas::Measure {
    MemoryDc dc;
    GdiCanvas canvas{dc.Get()};
};

RecordingCanvas::RecordingCanvas() : measure_(std::make_unique<Measure>()) {}

RecordingCanvas::~RecordingCanvas() = default;

DrawCall& RecordingCanvas::Add(const std::string& op, std::vector<int> args)
{
    DrawCall c;
    c.op = op;
    c.args = std::move(args);
    c.pen = pen;
    c.brush = brush;
    c.font = font;
    calls.push_back(std::move(c));
    return calls.back();
}

std::vector<DrawCall> RecordingCanvas::Only(const std::string& op) const
{
    std::vector<DrawCall> out;
    for (const DrawCall& c : calls) {
        if (c.op == op) {
            out.push_back(c);
        }
    }
    return out;
}

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom)
{
    Add("Rectangle", {left, top, right, bottom});
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom)
{
    Add("Ellipse", {left, top, right, bottom});
}

void RecordingCanvas::Polygon(std::span<const Point> points)
{
    Add("Polygon", Coordinates(points));
}

void RecordingCanvas::Polyline(std::span<const Point> points)
{
    Add("Polyline", Coordinates(points));
}

void RecordingCanvas::MoveTo(int x, int y)
{
    Add("MoveTo", {x, y});
    penPos_ = Point{x, y};
}

void RecordingCanvas::LineTo(int x, int y)
{
    Add("LineTo", {x, y});
    penPos_ = Point{x, y};
}

void RecordingCanvas::FillRect(const Rect& r)
{
    Add("FillRect", {r.left, r.top, r.right, r.bottom});
}

void RecordingCanvas::FrameRect(const Rect& r)
{
    Add("FrameRect", {r.left, r.top, r.right, r.bottom});
}

void RecordingCanvas::Frame3D(Rect& r, Color topLeft, Color bottomRight, int width)
{
    DrawCall& c = Add("Frame3D", {r.left, r.top, r.right, r.bottom, width});
    c.color1 = topLeft;
    c.color2 = bottomRight;
    if (width > 0) {
        r.left += width;
        r.top += width;
        r.right -= width;
        r.bottom -= width;
    }
}

void RecordingCanvas::DrawFocusRect(const Rect& r)
{
    Add("DrawFocusRect", {r.left, r.top, r.right, r.bottom});
}

void RecordingCanvas::WriteText(int x, int y, std::string_view text)
{
    Add("WriteText", {x, y}).text = std::string(text);
}

int RecordingCanvas::TextRect(std::string_view text, Rect& r, unsigned format)
{
    Rect before = r;
    measure_->canvas.font = font;
    int h = measure_->canvas.TextRect(text, r, format);
    if (!(format & DT_CALCRECT) || recordMeasuring) {
        DrawCall& c = Add("TextRect", {before.left, before.top, before.right, before.bottom});
        c.text = std::string(text);
        c.format = format;
    }
    return h;
}

Size RecordingCanvas::TextExtent(std::string_view text)
{
    measure_->canvas.font = font;
    Size s = measure_->canvas.TextExtent(text);
    if (recordMeasuring) {
        Add("TextExtent", {s.cx, s.cy}).text = std::string(text);
    }
    return s;
}

void RecordingCanvas::Draw(int x, int y, const Bitmap& bitmap)
{
    Add("Draw", {x, y, bitmap.Width(), bitmap.Height()});
}

void RecordingCanvas::DrawPart(int x, int y, const Bitmap& bitmap, const Rect& source, bool transparent)
{
    (void)bitmap;
    Add("DrawPart", {x, y, source.left, source.top, source.right, source.bottom, transparent ? 1 : 0});
}

} // namespace klarvo
