#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "resident/window/Tray.h"
#include "support/GdiCount.h"
#include "win/Gdi.h"

using namespace klarvo;
using namespace klarvo::resident;
using klarvo::test::ExpectGdiCountFlat;

namespace {

constexpr int kSide = 16;

// Colour and mask pixels of an icon, row by row.
std::vector<COLORREF> Pixels(const IconHandle& icon)
{
    std::vector<COLORREF> pixels;
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon.Get(), &info)) {
        return pixels;
    }
    // GetIconInfo hands over copies of both bitmaps.
    const BitmapHandle colour(info.hbmColor);
    const BitmapHandle mask(info.hbmMask);
    const MemoryDc dc;
    for (HBITMAP bitmap : {colour.Get(), mask.Get()}) {
        const Selection selected(dc.Get(), bitmap);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                pixels.push_back(GetPixel(dc.Get(), x, y));
            }
        }
    }
    return pixels;
}

TEST(TrayPictures, OneSurfaceDrawnOverGivesEachFigureItsOwnPictureAndKeepsGdiFlat)
{
    TrayPainter reused;
    // What a fresh surface draws for each figure.
    std::vector<std::vector<COLORREF>> fresh;
    const int figures[] = {7, 4095, 12, 380};
    for (int figure : figures) {
        fresh.push_back(Pixels(TrayPainter().NumberIcon(figure)));
    }
    const std::vector<COLORREF> mark = Pixels(TrayPainter().MarkIcon());
    ASSERT_EQ(fresh[0].size(), static_cast<std::size_t>(2 * kSide * kSide));
    EXPECT_NE(fresh[0], fresh[2]);

    // Drawn one after another on one surface, no figure keeps a trace of
    // the one before.
    for (int round = 0; round < 2; ++round) {
        for (std::size_t i = 0; i < std::size(figures); ++i) {
            EXPECT_EQ(Pixels(reused.NumberIcon(figures[i])), fresh[i]) << figures[i];
        }
        EXPECT_EQ(Pixels(reused.MarkIcon()), mark);
    }

    ExpectGdiCountFlat({"a thousand tray figures on one surface", [] {},
                        [&](int figure) { reused.NumberIcon(figure * 7 % 5000); }, 1000});
}

} // namespace
