// Draws the free-memory picture for a few histories into PNG files for
// people to look at: build/screens/info-graph-*.png.

#include <gtest/gtest.h>

#include "framework/drawing/Bitmap.h"
#include "pages/InfoGraph.h"
#include "support/Png.h"
#include "support/Process.h"

#include <cmath>
#include <functional>
#include <string>

using namespace klarvo;

namespace {

FreeRamHistory Make(const std::function<int(int)>& sample)
{
    FreeRamHistory h;
    for (int i = 0; i < FreeRamHistory::kSamples; ++i) {
        h.Append(static_cast<std::uint32_t>(sample(i)));
    }
    return h;
}

void Save(const std::string& name, const FreeRamHistory& history, int totalRamMB, char separator = '.')
{
    Bitmap picture(kGraphWidth, kGraphHeight);
    DrawFreeRamGraph(picture.GetCanvas(), history, totalRamMB, separator);
    test::SaveDcToPng(picture.Dc(), 0, 0, kGraphWidth, kGraphHeight,
                      test::ScreensDir("screens") + "info-graph-" + name + ".png");
}

TEST(InfoGraphGallery, WritesPictures)
{
    FreeRamHistory startUp;
    startUp.Append(30);
    Save("startup-65", startUp, 65);

    // A 64 MB machine after a cleaning: free memory falls, jumps up, stays.
    Save("cleaning-65", Make([](int i) { return i < 20 ? 30 - i : i < 24 ? 12 + (i - 20) * 10 : 48; }), 65);

    // Plateaus of several lengths, one touching each end of the curve.
    Save("plateaus-128", Make([](int i) {
             return i < 6 ? 40 : i < 15 ? 60 + i : i < 20 ? 90 : i < 22 ? 70 : i < 28 ? 55 : i < 44 ? 20 + i : 100;
         }),
         129);

    Save("wave-2048", Make([](int i) { return 1000 + static_cast<int>(700 * std::sin(i / 5.0)); }), 2049, ',');
    Save("full-4096", Make([](int i) { return 4095 - 40 * i; }), 4096);
    Save("small-20", Make([](int i) { return i % 10 < 5 ? 3 : 17; }), 20);
    Save("tiny-1", Make([](int i) { return i < 25 ? 0 : 1; }), 1);
    // Figures beyond the total leave the top of the picture.
    Save("beyond-65", Make([](int i) { return i < 25 ? 30 : 200; }), 65);
}

} // namespace
