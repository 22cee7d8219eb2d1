// Any total and any history through the free-memory graph's geometry and
// its drawing, on a canvas that only keeps the calls' figures.

#include "Check.h"
#include "pages/InfoGraph.h"

#include <climits>

using namespace klarvo;

namespace {

class NullCanvas final : public Canvas {
public:
    void Rectangle(int, int, int, int) override {}
    void Ellipse(int, int, int, int) override {}
    void Polygon(std::span<const Point>) override {}
    void Polyline(std::span<const Point>) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void FillRect(const Rect&) override {}
    void FrameRect(const Rect&) override {}
    void Frame3D(Rect&, Color, Color, int) override {}
    void DrawFocusRect(const Rect&) override {}
    void WriteText(int, int, std::string_view) override {}
    int TextRect(std::string_view, Rect&, unsigned) override { return 0; }
    Size TextExtent(std::string_view text) override { return {static_cast<int>(text.size()) * 6, 13}; }
    void Draw(int, int, const Bitmap&) override {}
    void DrawPart(int, int, const Bitmap&, const Rect&, bool) override {}
    HDC__* Handle() override { return nullptr; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const auto total = in.ConsumeIntegral<std::int32_t>();
    const auto megabytes = in.ConsumeIntegral<std::int32_t>();
    const char separator = in.ConsumeIntegral<char>();
    FreeRamHistory history;
    for (int i = 0; i < FreeRamHistory::kSamples; ++i) {
        history.Append(in.ConsumeIntegral<std::uint16_t>());
    }

    for (std::int32_t t : {total, 0, 1, 4096, INT_MIN, INT_MAX}) {
        const GraphScale scale = GraphScaleFor(t);
        FUZZ_CHECK(scale.step > 0 && scale.lines > 0 && scale.pix >= 0);
        const std::vector<GraphGridLine> lines = GraphGridLines(t, separator);
        FUZZ_CHECK(static_cast<int>(lines.size()) == scale.lines - 1);
        for (const GraphGridLine& line : lines) {
            FUZZ_CHECK(line.y >= 0 && line.y < kGraphHeight);
        }
        (void)GraphTotalLineY(t);
        (void)GraphY(megabytes, scale);
        const std::vector<Point> curve = GraphCurvePoints(history, scale);
        FUZZ_CHECK(curve.size() == FreeRamHistory::kSamples);
        for (const GraphPlateau& plateau : GraphPlateaus(history)) {
            FUZZ_CHECK(plateau.first >= 1 && plateau.last - plateau.first >= 2 &&
                       plateau.last < FreeRamHistory::kSamples);
            (void)GraphPlateauLabelAt(plateau, scale);
        }
        NullCanvas canvas;
        DrawFreeRamGraph(canvas, history, t, separator);
    }
    (void)GraphAxisLabel(megabytes, separator);
    return 0;
}
