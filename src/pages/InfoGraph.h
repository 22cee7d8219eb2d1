#pragma once

// The free-memory picture of the Info page: 500 x 100 pixels, the megabyte
// axis on a sky-blue band at the left, a black grid, the lime line of the
// machine's total, the blue curve of the last 50 samples and yellow labels
// over the curve's plateaus. The geometry is plain arithmetic so that it can
// be checked without drawing; DrawFreeRamGraph composes the picture through
// any canvas (the page's off-screen bitmap, or a recording canvas in tests).

#include "framework/drawing/Canvas.h"
#include "framework/drawing/Color.h"
#include "pages/FreeRamHistory.h"

#include <optional>
#include <string>
#include <vector>

namespace klarvo {

class Bitmap;

inline constexpr int kGraphWidth = 500;
inline constexpr int kGraphHeight = 100;
// Right edge of the axis band; the grid and the curve start here.
inline constexpr int kGraphAxisRight = 43;
// Samples are this far apart, so the newest four lie past the right edge.
inline constexpr int kGraphSampleSpacing = 10;

inline constexpr Color kGraphBackColor = Rgb(128, 128, 128);
inline constexpr Color kGraphAxisColor = Rgb(166, 202, 240);
inline constexpr Color kGraphTextColor = Rgb(255, 0, 0);
inline constexpr Color kGraphTotalColor = Rgb(0, 255, 0);
inline constexpr Color kGraphCurveColor = Rgb(0, 0, 255);
inline constexpr Color kGraphPlateauColor = Rgb(255, 255, 0);

// The vertical scale: a grid line every `step` megabytes, `lines` steps in
// the height (the top one without a line), `pix` pixels per step.
struct GraphScale {
    int step = 4;
    int lines = 1;
    int pix = 100;
    friend bool operator==(const GraphScale&, const GraphScale&) = default;
};

// The step is the fifth of the total rounded down to a multiple of 5, or 4
// on machines below 25 MB. A total below 1 (which the memory status cannot
// give) is scaled as 1.
GraphScale GraphScaleFor(int totalRamMB);

// The picture row of a megabyte figure; above the top for figures beyond
// the scale (the canvas clips them).
int GraphY(int megabytes, const GraphScale& scale);

// An axis label: "405MB" below 1000 MB, else gigabytes with at most one
// decimal, truncated, and no ".0": "1.2GB" (1215), "2GB" (2025).
std::string GraphAxisLabel(int megabytes, char decimalSeparator);

struct GraphGridLine {
    int y = 0;      // row of the line, from the band's edge to the right edge
    int labelY = 0; // top of the label, 5 pixels above the line
    std::string label;
    friend bool operator==(const GraphGridLine&, const GraphGridLine&) = default;
};

// Grid line e of a scale, 1 the lowest and scale.lines - 1 the highest.
GraphGridLine GraphGridLineAt(const GraphScale& scale, int e, char decimalSeparator);
// Its row alone.
int GraphGridY(const GraphScale& scale, int e);

// Every grid line from the bottom up; none when the total is below one step.
std::vector<GraphGridLine> GraphGridLines(int totalRamMB, char decimalSeparator);

// Row of the lime line that marks the total.
int GraphTotalLineY(int totalRamMB);

// The curve's points, oldest first: x from 43 to 533 in steps of 10.
std::vector<Point> GraphCurvePoints(const FreeRamHistory& history, const GraphScale& scale);

// A maximal run of at least three equal samples among samples 1 to 49
// (sample 0 takes no part).
struct GraphPlateau {
    int first = 0;
    int last = 0;
    int value = 0;
    friend bool operator==(const GraphPlateau&, const GraphPlateau&) = default;
};
std::vector<GraphPlateau> GraphPlateaus(const FreeRamHistory& history);

// The same runs handed to `visit` one by one, oldest first, without a list:
// the picture is composed twice a second for as long as the program runs.
template <typename Visit> void ForEachGraphPlateau(const FreeRamHistory& history, Visit&& visit)
{
    constexpr int last = FreeRamHistory::kSamples - 1;
    constexpr int kShortestRun = 3;
    auto at = [&](int i) { return history[i]; };
    for (int i = 1; i <= last;) {
        int j = i;
        while (j < last && at(j + 1) == at(i)) {
            ++j;
        }
        if (j - i + 1 >= kShortestRun) {
            visit(GraphPlateau{i, j, at(i)});
        }
        i = j + 1;
    }
}

// Top-left of a plateau's label text, or nothing when the run's middle lies
// too near either end of the curve to be labelled.
std::optional<Point> GraphPlateauLabelAt(const GraphPlateau& plateau, const GraphScale& scale);

// Draws the whole picture into a 500 x 100 canvas. The canvas's pen, brush
// and font are left as the drawing leaves them. Nothing is allocated on the
// way but the canvas's own drawing objects.
void DrawFreeRamGraph(Canvas& canvas, const FreeRamHistory& history, int totalRamMB, char decimalSeparator);
// Draws anew, over a picture DrawFreeRamGraph made for the same total,
// everything right of the axis band: the same pixels as the whole picture,
// without the band's labels, whose text is most of the drawing's cost and
// changes only with the total and the separator.
void DrawFreeRamGraphPlot(Canvas& canvas, const FreeRamHistory& history, int totalRamMB);

// The paint handler of the visible box: the finished picture in one block.
void PaintFreeRamBox(Canvas& box, const Bitmap& picture);

// The user's decimal separator, '.' when the locale gives none.
char LocaleDecimalSeparator();

} // namespace klarvo
