#include "pages/InfoGraph.h"

#include "framework/drawing/Bitmap.h"

#include <algorithm>
#include <cstdint>

namespace klarvo {

GraphScale GraphScaleFor(int totalRamMB)
{
    if (totalRamMB < 1) {
        totalRamMB = 1; // keeps the step count positive; no real machine gets here
    }
    GraphScale s;
    s.step = totalRamMB / 5;
    s.step = s.step < 5 ? 4 : s.step / 5 * 5;
    s.lines = totalRamMB / s.step + 1;
    s.pix = kGraphHeight / s.lines;
    return s;
}

int GraphY(int megabytes, const GraphScale& scale)
{
    // At 64 bits: a total near the top of int times the pixels per step
    // does not fit in 32.
    const std::int64_t y = kGraphHeight - std::int64_t{megabytes} * scale.pix / scale.step;
    return static_cast<int>(std::clamp<std::int64_t>(y, INT32_MIN, INT32_MAX));
}

std::string GraphAxisLabel(int megabytes, char decimalSeparator)
{
    if (megabytes < 1000) {
        return std::to_string(megabytes) + "MB";
    }
    // Tenths of a gigabyte (of 1000 MB), truncated.
    const int tenths = megabytes / 100;
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) {
        text += decimalSeparator;
        text += static_cast<char>('0' + tenths % 10);
    }
    return text + "GB";
}

GraphGridLine GraphGridLineAt(const GraphScale& scale, int e, char decimalSeparator)
{
    // The label's top stands this far above its line.
    constexpr int kLabelRise = 5;
    const int y = GraphGridY(scale, e);
    return {y, y - kLabelRise, GraphAxisLabel(e * scale.step, decimalSeparator)};
}

int GraphGridY(const GraphScale& scale, int e)
{
    return kGraphHeight - e * scale.pix;
}

std::vector<GraphGridLine> GraphGridLines(int totalRamMB, char decimalSeparator)
{
    const GraphScale s = GraphScaleFor(totalRamMB);
    std::vector<GraphGridLine> lines;
    for (int e = 1; e < s.lines; ++e) {
        lines.push_back(GraphGridLineAt(s, e, decimalSeparator));
    }
    return lines;
}

int GraphTotalLineY(int totalRamMB)
{
    const GraphScale s = GraphScaleFor(totalRamMB);
    return GraphY(totalRamMB < 1 ? 1 : totalRamMB, s);
}

std::vector<Point> GraphCurvePoints(const FreeRamHistory& history, const GraphScale& scale)
{
    std::vector<Point> points;
    points.reserve(FreeRamHistory::kSamples);
    for (int i = 0; i < FreeRamHistory::kSamples; ++i) {
        const int x = kGraphAxisRight + kGraphSampleSpacing * static_cast<int>(i);
        points.push_back({x, GraphY(history[i], scale)});
    }
    return points;
}

std::vector<GraphPlateau> GraphPlateaus(const FreeRamHistory& history)
{
    std::vector<GraphPlateau> runs;
    ForEachGraphPlateau(history, [&](const GraphPlateau& run) { runs.push_back(run); });
    return runs;
}

std::optional<Point> GraphPlateauLabelAt(const GraphPlateau& plateau, const GraphScale& scale)
{
    const int mid = (plateau.first + plateau.last) / 2 + 1;
    if (mid < 4 || mid > 45) {
        return std::nullopt;
    }
    return Point{10 * mid + 21, 83 - plateau.value * scale.pix / scale.step};
}

namespace {

void SetGraphFont(Canvas& canvas)
{
    canvas.font.SetName("MS Sans Serif");
    canvas.font.SetSize(8);
    canvas.font.SetStyle(fsBold);
    canvas.font.SetColor(kGraphTextColor);
    canvas.font.SetEscapement(0);
}

// The lime line of the total, the blue curve and the plateaus' labels.
void DrawTotalAndCurve(Canvas& canvas, const FreeRamHistory& history, int totalRamMB, const GraphScale& scale)
{
    const int totalY = GraphTotalLineY(totalRamMB);
    canvas.pen.color = kGraphTotalColor;
    canvas.MoveTo(kGraphAxisRight + 1, totalY);
    canvas.LineTo(kGraphWidth - 1, totalY);

    // The newest samples lie past the right edge and are clipped, as are
    // figures above the scale.
    canvas.pen.color = kGraphCurveColor;
    canvas.pen.width = 2;
    canvas.MoveTo(kGraphAxisRight, GraphY(history[0], scale));
    for (int i = 1; i < FreeRamHistory::kSamples; ++i) {
        canvas.LineTo(kGraphAxisRight + kGraphSampleSpacing * i, GraphY(history[i], scale));
    }

    ForEachGraphPlateau(history, [&](const GraphPlateau& plateau) {
        const std::optional<Point> at = GraphPlateauLabelAt(plateau, scale);
        if (!at) {
            return;
        }
        const std::string text = std::to_string(plateau.value);
        const Size extent = canvas.TextExtent(text);
        canvas.pen.width = 1;
        canvas.pen.color = kGraphPlateauColor;
        canvas.brush.color = kGraphPlateauColor;
        canvas.Ellipse(at->x - 6, at->y - 2, at->x + extent.cx + 6, at->y + extent.cy + 2);
        canvas.WriteText(at->x, at->y, text);
    });
}

} // namespace

void DrawFreeRamGraph(Canvas& canvas, const FreeRamHistory& history, int totalRamMB, char decimalSeparator)
{
    SetGraphFont(canvas);
    canvas.pen = Pen{clBlack, PenStyle::Solid, 1, PenMode::Copy};

    canvas.brush = Brush{kGraphBackColor, BrushStyle::Solid};
    canvas.Rectangle(0, 0, kGraphWidth, kGraphHeight);
    // The band's brush stays for the axis labels, which stand on its colour.
    canvas.brush.color = kGraphAxisColor;
    canvas.Rectangle(0, 0, kGraphAxisRight, kGraphHeight);

    const GraphScale scale = GraphScaleFor(totalRamMB);
    for (int e = 1; e < scale.lines; ++e) {
        const GraphGridLine line = GraphGridLineAt(scale, e, decimalSeparator);
        canvas.MoveTo(kGraphAxisRight, line.y);
        canvas.LineTo(kGraphWidth, line.y);
        canvas.WriteText(2, line.labelY, line.label);
    }
    DrawTotalAndCurve(canvas, history, totalRamMB, scale);
}

void DrawFreeRamGraphPlot(Canvas& canvas, const FreeRamHistory& history, int totalRamMB)
{
    SetGraphFont(canvas);
    // The outline's left column is the band's right one, black in both.
    canvas.pen = Pen{clBlack, PenStyle::Solid, 1, PenMode::Copy};
    canvas.brush = Brush{kGraphBackColor, BrushStyle::Solid};
    canvas.Rectangle(kGraphAxisRight - 1, 0, kGraphWidth, kGraphHeight);

    const GraphScale scale = GraphScaleFor(totalRamMB);
    for (int e = 1; e < scale.lines; ++e) {
        const int y = GraphGridY(scale, e);
        canvas.MoveTo(kGraphAxisRight, y);
        canvas.LineTo(kGraphWidth, y);
    }
    DrawTotalAndCurve(canvas, history, totalRamMB, scale);
}

void PaintFreeRamBox(Canvas& box, const Bitmap& picture)
{
    box.Draw(0, 0, picture);
}

} // namespace klarvo
