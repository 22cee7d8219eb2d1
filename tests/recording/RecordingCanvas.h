#pragma once

// A canvas that draws nothing and records each call with the pen, brush and
// font in force, so that tests can compare drawing call by call. Text is
// measured with the real font on a screen-compatible memory DC, so layout
// that depends on text size behaves as on screen.

#include "framework/drawing/Canvas.h"

#include <memory>
#include <string>
#include <vector>

namespace klarvo {

struct DrawCall {
    std::string op;        // "Rectangle", "Ellipse", "Polygon", "Polyline", "MoveTo", "LineTo",
                           // "FillRect", "FrameRect", "Frame3D", "DrawFocusRect", "WriteText",
                           // "TextRect", "Draw", "DrawPart"
    std::vector<int> args; // coordinates in call order (points flattened x, y)
    std::string text;      // text of text calls
    unsigned format = 0;   // TextRect flags
    Color color1 = 0;      // Frame3D colours
    Color color2 = 0;
    Pen pen;
    Brush brush;
    Font font;
};

class RecordingCanvas : public Canvas {
public:
    RecordingCanvas();
    ~RecordingCanvas() override;

    std::vector<DrawCall> calls;
    // Measuring calls (TextRect with DT_CALCRECT, TextExtent) are recorded
    // only when this is set.
    bool recordMeasuring = false;

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
    HDC__* Handle() override { return nullptr; }

    // Calls with the given op, in order.
    std::vector<DrawCall> Only(const std::string& op) const;

private:
    DrawCall& Add(const std::string& op, std::vector<int> args);
    struct Measure;
    std::unique_ptr<Measure> measure_;
};

} // namespace klarvo
