// Times the drawing of one refresh tick of the Info page: the figure texts
// and the free-memory picture composed off screen with a full history, and
// the copy of the finished picture onto a shown window. Prints the time per
// tick and the share of one core that two ticks a second cost.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "BenchForm.h"
#include "framework/drawing/Bitmap.h"
#include "framework/drawing/GdiCanvas.h"
#include "pages/InfoFigures.h"
#include "pages/InfoGraph.h"

using namespace klarvo;
using bench::BestMicroseconds;

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    const char separator = LocaleDecimalSeparator();

    // A full history with plateaus, so that labels are drawn too.
    FreeRamHistory history;
    for (int i = 0; i < FreeRamHistory::kSamples; ++i) {
        history.Append(static_cast<std::uint32_t>(i % 8 < 4 ? 20 + i : 40));
    }

    const auto form = bench::ShownForm("TInfoBench", 20, 20, kGraphWidth + 10, kGraphHeight + 10);
    bench::ShowAndPaint(*form);

    Bitmap picture(kGraphWidth, kGraphHeight);
    std::uint32_t avail = 30u << 20;
    auto figures = [&] {
        avail += 1u << 20;
        const auto freeMB = static_cast<std::int32_t>((avail & 0x3FFFFFFu) >> 20);
        history.Append(static_cast<std::uint32_t>(freeMB));
        return InfoFigureTextsFor(65, freeMB, freeMB * 100 / 65).free.size();
    };
    std::size_t sink = 0;
    const double texts = BestMicroseconds(count, [&] { sink += figures(); });
    const double draw = BestMicroseconds(count, [&] { DrawFreeRamGraph(picture.GetCanvas(), history, 65, separator); });
    const double draw4096 =
        BestMicroseconds(count, [&] { DrawFreeRamGraph(picture.GetCanvas(), history, 4096, separator); });
    // What a tick costs that brings only a new sample: the plot redrawn
    // right of the band.
    DrawFreeRamGraph(picture.GetCanvas(), history, 4096, separator);
    const double plot = BestMicroseconds(count, [&] { DrawFreeRamGraphPlot(picture.GetCanvas(), history, 4096); });

    HDC dc = GetDC(form->Handle());
    double copy = 0;
    {
        GdiCanvas box(dc);
        copy = BestMicroseconds(count, [&] { PaintFreeRamBox(box, picture); });
    }
    ReleaseDC(form->Handle(), dc);

    const double tick = texts + draw + copy;
    std::printf("%d ticks, best batch of 8 (sink %u)\n", count, static_cast<unsigned>(sink % 10));
    std::printf("figures and history        %10.1f us\n", texts);
    std::printf("picture, 65 MB machine     %10.1f us\n", draw);
    std::printf("picture, 4096 MB machine   %10.1f us\n", draw4096);
    std::printf("plot alone, 4096 MB        %10.1f us\n", plot);
    std::printf("copy to the window         %10.1f us\n", copy);
    std::printf("one tick                   %10.1f us\n", tick);
    std::printf("two ticks a second         %10.3f %% of one core\n", tick * 2 / 1e6 * 100);
    return 0;
}
