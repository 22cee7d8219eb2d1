#include <gtest/gtest.h>

#include "recording/RecordingCanvas.h"
#include "pages/FreeRamHistory.h"
#include "pages/InfoGraph.h"

#include <cstdint>
#include <string>
#include <vector>

using namespace klarvo;

namespace {

FreeRamHistory HistoryOf(const std::vector<int>& newest)
{
    FreeRamHistory h;
    for (int v : newest) {
        h.Append(static_cast<std::uint32_t>(v));
    }
    return h;
}

// A history whose samples are all different (no plateau), then `tail`.
FreeRamHistory RisingThen(const std::vector<int>& tail)
{
    std::vector<int> all;
    for (int i = 0; i < FreeRamHistory::kSamples - static_cast<int>(tail.size()); ++i) {
        all.push_back(100 + i);
    }
    all.insert(all.end(), tail.begin(), tail.end());
    return HistoryOf(all);
}

TEST(FreeRamHistory, StartsAtZeroShiftsTowardsTheOldestAndKeepsSixteenBits)
{
    FreeRamHistory h;
    for (int i = 0; i < FreeRamHistory::kSamples; ++i) {
        EXPECT_EQ(h[i], 0);
    }
    h.Append(30);
    h.Append(65536 + 5); // only the low 16 bits are kept
    h.Append(0x12345678u);
    EXPECT_EQ(h[47], 30);
    EXPECT_EQ(h[48], 5);
    EXPECT_EQ(h[49], 0x5678);
    EXPECT_EQ(h[46], 0);

    for (int i = 0; i < 60; ++i) {
        h.Append(static_cast<std::uint32_t>(i));
    }
    EXPECT_EQ(h[0], 10); // the oldest of the last fifty
    EXPECT_EQ(h[49], 59);

    // The sixteen bits kept of a large figure.
    FreeRamHistory bare;
    bare.Append(65536 + 7);
    bare.Append(3);
    EXPECT_EQ(bare[48], 7);
    EXPECT_EQ(bare[49], 3);
    EXPECT_EQ(bare[0], 0);
}

struct ScaleCase {
    int total;
    GraphScale scale;
    std::vector<int> gridY;
    std::vector<std::string> labels;
    int totalY;
};

TEST(GraphGeometry, GridLinesLabelsAndTotalLineFollowTheMachinesTotal)
{
    const ScaleCase cases[] = {
        {1, {4, 1, 100}, {}, {}, 75},
        {20, {4, 6, 16}, {84, 68, 52, 36, 20}, {"4MB", "8MB", "12MB", "16MB", "20MB"}, 20},
        {24, {4, 7, 14}, {86, 72, 58, 44, 30, 16}, {"4MB", "8MB", "12MB", "16MB", "20MB", "24MB"}, 16},
        {49,
         {5, 10, 10},
         {90, 80, 70, 60, 50, 40, 30, 20, 10},
         {"5MB", "10MB", "15MB", "20MB", "25MB", "30MB", "35MB", "40MB", "45MB"},
         2},
        {65, {10, 7, 14}, {86, 72, 58, 44, 30, 16}, {"10MB", "20MB", "30MB", "40MB", "50MB", "60MB"}, 9},
        {2048, {405, 6, 16}, {84, 68, 52, 36, 20}, {"405MB", "810MB", "1.2GB", "1.6GB", "2GB"}, 20},
        {4096, {815, 6, 16}, {84, 68, 52, 36, 20}, {"815MB", "1.6GB", "2.4GB", "3.2GB", "4GB"}, 20},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE("TotalRamMB " + std::to_string(c.total));
        EXPECT_EQ(GraphScaleFor(c.total), c.scale);
        const std::vector<GraphGridLine> lines = GraphGridLines(c.total, '.');
        ASSERT_EQ(lines.size(), c.gridY.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].y, c.gridY[i]);
            EXPECT_EQ(lines[i].labelY, c.gridY[i] - 5);
            EXPECT_EQ(lines[i].label, c.labels[i]);
        }
        EXPECT_EQ(GraphTotalLineY(c.total), c.totalY);
        // The total line always lies inside the picture.
        EXPECT_GT(c.totalY, 0);
    }
}

TEST(GraphGeometry, GigabyteLabelsTruncateToOneDecimalInTheLocalesSeparator)
{
    const struct {
        int mb;
        char sep;
        const char* text;
    } cases[] = {
        {999, '.', "999MB"},  {1000, '.', "1GB"}, {1099, '.', "1GB"},   {1100, ',', "1,1GB"}, {1215, ',', "1,2GB"},
        {1999, '.', "1.9GB"}, {2025, ',', "2GB"}, {3260, '.', "3.2GB"}, {4075, '.', "4GB"},   {0, '.', "0MB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GraphAxisLabel(c.mb, c.sep), c.text) << c.mb;
    }
    EXPECT_EQ(GraphGridLines(2048, ',')[2].label, "1,2GB");
}

TEST(GraphGeometry, TotalsBelowOneAreScaledAsOne)
{
    EXPECT_EQ(GraphScaleFor(0), GraphScaleFor(1));
    EXPECT_EQ(GraphScaleFor(-70), GraphScaleFor(1));
    EXPECT_TRUE(GraphGridLines(-70, '.').empty());
    // The other end: the total's row is worked out without overflow.
    EXPECT_EQ(GraphTotalLineY(INT32_MAX), 100 - 80);
    EXPECT_EQ(GraphY(INT32_MIN, GraphScaleFor(1)), INT32_MAX);
}

TEST(GraphCurve, RunsFromTheBandRightwardsTenPixelsApartAndLeavesThePictureForBigFigures)
{
    FreeRamHistory h = HistoryOf({30});
    std::vector<Point> pts = GraphCurvePoints(h, GraphScaleFor(65));
    ASSERT_EQ(pts.size(), 50u);
    EXPECT_EQ(pts[0], (Point{43, 100}));
    EXPECT_EQ(pts[45], (Point{493, 100}));
    EXPECT_EQ(pts[49], (Point{533, 100 - 30 * 14 / 10})); // past the right edge

    // A figure far above the scale is computed in 32-bit and simply leaves
    // the top of the picture.
    h.Append(65535);
    pts = GraphCurvePoints(h, GraphScaleFor(1));
    EXPECT_EQ(pts[49].y, 100 - 65535 * 100 / 4);
}

TEST(GraphPlateaus, RunsOfThreeOrMoreFromSampleOneAreFoundOnce)
{
    // Start-up: 49 zeros then one real sample.
    EXPECT_EQ(GraphPlateaus(HistoryOf({30})), (std::vector<GraphPlateau>{{1, 48, 0}}));
    // All equal: the run covers the whole walk.
    EXPECT_EQ(GraphPlateaus(FreeRamHistory()), (std::vector<GraphPlateau>{{1, 49, 0}}));
    // Sample 0 takes no part: 7 at samples 0-2 is a run of two only.
    {
        std::vector<int> s(50);
        for (int i = 0; i < 50; ++i) {
            s[static_cast<std::size_t>(i)] = 100 + i;
        }
        s[0] = s[1] = s[2] = 7;
        EXPECT_TRUE(GraphPlateaus(HistoryOf(s)).empty());
        s[3] = 7;
        EXPECT_EQ(GraphPlateaus(HistoryOf(s)), (std::vector<GraphPlateau>{{1, 3, 7}}));
    }
    // A run broken by one different sample counts again on both sides; two
    // equal samples are no run.
    EXPECT_EQ(GraphPlateaus(RisingThen({10, 10, 10, 20, 10, 10, 10, 5, 5})),
              (std::vector<GraphPlateau>{{41, 43, 10}, {45, 47, 10}}));
    // A run that reaches the newest sample ends at 49.
    EXPECT_EQ(GraphPlateaus(RisingThen({8, 8, 8, 8})), (std::vector<GraphPlateau>{{46, 49, 8}}));
}

TEST(GraphPlateaus, OnlyRunsWhoseMiddleLiesBetweenFourAndFortyFiveAreLabelled)
{
    const GraphScale s = GraphScaleFor(65);
    const struct {
        GraphPlateau run;
        bool labelled;
        int x, y;
    } cases[] = {
        {{1, 48, 0}, true, 271, 83},  // the start-up plateau
        {{1, 3, 7}, false, 0, 0},     // mid 3
        {{1, 5, 7}, true, 61, 74},    // mid 4
        {{43, 46, 7}, true, 471, 74}, // mid 45
        {{44, 47, 7}, false, 0, 0},   // mid 46
        {{46, 49, 7}, false, 0, 0},   // touches the newest end
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.run.first) + ".." + std::to_string(c.run.last));
        const std::optional<Point> at = GraphPlateauLabelAt(c.run, s);
        ASSERT_EQ(at.has_value(), c.labelled);
        if (at) {
            EXPECT_EQ(at->x, c.x);
            EXPECT_EQ(at->y, c.y);
        }
    }
}

// The picture call by call for a 64 MB machine right after start.
TEST(DrawFreeRamGraph, StartUpPictureOfA64MBMachine)
{
    RecordingCanvas canvas;
    DrawFreeRamGraph(canvas, HistoryOf({30}), 65, '.');
    const std::vector<DrawCall>& calls = canvas.calls;
    ASSERT_GE(calls.size(), 2u + 18 + 2 + 50 + 2);

    EXPECT_EQ(calls[0].op, "Rectangle");
    EXPECT_EQ(calls[0].args, (std::vector<int>{0, 0, 500, 100}));
    EXPECT_EQ(calls[0].brush.color, Rgb(128, 128, 128));
    EXPECT_EQ(calls[0].pen.color, clBlack);
    EXPECT_EQ(calls[1].args, (std::vector<int>{0, 0, 43, 100}));
    EXPECT_EQ(calls[1].brush.color, Rgb(166, 202, 240));

    std::size_t k = 2;
    const int gridY[] = {86, 72, 58, 44, 30, 16};
    for (int e = 0; e < 6; ++e, k += 3) {
        EXPECT_EQ(calls[k].op, "MoveTo");
        EXPECT_EQ(calls[k].args, (std::vector<int>{43, gridY[e]}));
        EXPECT_EQ(calls[k + 1].op, "LineTo");
        EXPECT_EQ(calls[k + 1].args, (std::vector<int>{500, gridY[e]}));
        EXPECT_EQ(calls[k + 1].pen, (Pen{clBlack, PenStyle::Solid, 1, PenMode::Copy}));
        EXPECT_EQ(calls[k + 2].op, "WriteText");
        EXPECT_EQ(calls[k + 2].args, (std::vector<int>{2, gridY[e] - 5}));
        EXPECT_EQ(calls[k + 2].text, std::to_string(10 * (e + 1)) + "MB");
        // Red bold 8-point text on the band's colour.
        EXPECT_EQ(calls[k + 2].brush, (Brush{Rgb(166, 202, 240), BrushStyle::Solid}));
        EXPECT_EQ(calls[k + 2].font.GetColor(), Rgb(255, 0, 0));
        EXPECT_EQ(calls[k + 2].font.Style(), static_cast<FontStyles>(fsBold));
        EXPECT_EQ(calls[k + 2].font.Size(), 8);
    }

    EXPECT_EQ(calls[k].op, "MoveTo");
    EXPECT_EQ(calls[k].args, (std::vector<int>{44, 9}));
    EXPECT_EQ(calls[k + 1].op, "LineTo");
    EXPECT_EQ(calls[k + 1].args, (std::vector<int>{499, 9}));
    EXPECT_EQ(calls[k + 1].pen.color, Rgb(0, 255, 0));
    EXPECT_EQ(calls[k + 1].pen.width, 1);
    k += 2;

    EXPECT_EQ(calls[k].op, "MoveTo");
    EXPECT_EQ(calls[k].args, (std::vector<int>{43, 100}));
    for (int i = 1; i < 50; ++i) {
        const DrawCall& c = calls[k + static_cast<std::size_t>(i)];
        ASSERT_EQ(c.op, "LineTo") << i;
        EXPECT_EQ(c.args, (std::vector<int>{43 + 10 * i, i == 49 ? 58 : 100})) << i;
        EXPECT_EQ(c.pen.color, Rgb(0, 0, 255));
        EXPECT_EQ(c.pen.width, 2);
    }
    k += 50;

    // One label for the zero plateau, 17 pixels above the curve.
    ASSERT_EQ(calls.size(), k + 2);
    const Size zero = canvas.TextExtent("0");
    EXPECT_EQ(calls[k].op, "Ellipse");
    EXPECT_EQ(calls[k].args, (std::vector<int>{265, 81, 271 + zero.cx + 6, 83 + zero.cy + 2}));
    EXPECT_EQ(calls[k].pen, (Pen{Rgb(255, 255, 0), PenStyle::Solid, 1, PenMode::Copy}));
    EXPECT_EQ(calls[k].brush.color, Rgb(255, 255, 0));
    EXPECT_EQ(calls[k + 1].op, "WriteText");
    EXPECT_EQ(calls[k + 1].args, (std::vector<int>{271, 83}));
    EXPECT_EQ(calls[k + 1].text, "0");
    EXPECT_EQ(calls[k + 1].brush.color, Rgb(255, 255, 0));
    EXPECT_EQ(calls[k + 1].font.GetColor(), Rgb(255, 0, 0));
}

TEST(DrawFreeRamGraph, OneMegabyteMachineHasNoGridAndLabelsEveryPlateauOnce)
{
    RecordingCanvas canvas;
    DrawFreeRamGraph(canvas, RisingThen({1, 1, 1, 1, 1, 9, 0, 0, 0, 2, 2, 2, 2, 2, 2}), 1, '.');
    const std::vector<DrawCall> lines = canvas.Only("LineTo");
    ASSERT_EQ(lines.size(), 1u + 49u);
    EXPECT_EQ(lines[0].args, (std::vector<int>{499, 75}));
    // Runs 35-39 (mid 38) and 41-43 (mid 43) are labelled; 44-49 (mid 47) is
    // too near the newest end.
    const std::vector<DrawCall> texts = canvas.Only("WriteText");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "1");
    EXPECT_EQ(texts[0].args, (std::vector<int>{401, 83 - 25}));
    EXPECT_EQ(texts[1].text, "0");
    EXPECT_EQ(texts[1].args, (std::vector<int>{451, 83}));
}

} // namespace
