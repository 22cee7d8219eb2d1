#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "controls/GradBtnBands.h"

using namespace klarvo;
using namespace klarvo::gradbtn;

namespace {

constexpr std::uint32_t kUnpainted = 0xff000000u;

// Paints bands the way the platform does, so that coverage can be checked
// pixel by pixel: fills exclude the right and bottom edges, and shapes drawn
// without an outline pen lose one more column and row.
struct Raster {
    int width, height;
    std::vector<std::uint32_t> pixels;
    Raster(int w, int h, const std::vector<Band>& bands = {})
        : width(w), height(h), pixels(std::size_t(w) * h, kUnpainted)
    {
        Paint(bands);
    }
    std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    void Paint(const std::vector<Band>& bands)
    {
        for (const Band& b : bands) {
            ASSERT_NE(b.shape, BandShape::Ellipse) << "ellipses are checked by their boxes";
            const int shrink = b.shape == BandShape::Rectangle ? 1 : 0;
            for (int y = std::max(b.top, 0); y < std::min(b.bottom - shrink, height); ++y) {
                for (int x = std::max(b.left, 0); x < std::min(b.right - shrink, width); ++x) {
                    pixels[std::size_t(y) * width + x] = b.color;
                }
            }
        }
    }
};

const std::uint32_t kNavy = Rgb(0, 0, 128), kAqua = Rgb(0, 255, 255);

std::vector<Band> Bands(TGradientStyle style, int width, int height, std::uint32_t begin = kNavy,
                        std::uint32_t end = kAqua)
{
    std::vector<Band> bands;
    GradientBands(style, width, height, begin, end, bands);
    return bands;
}

// The step a centred gradient shows at index i of n: mirrored around the
// middle, where an even n has two middle indices, both in the end colour.
int MirroredStep(int i, int n)
{
    const int step = std::min(i, n - 1 - i);
    return n % 2 == 0 && step == n / 2 - 1 ? n / 2 : step;
}

TEST(GradientColor, RunsChannelByChannelFromBeginToEnd)
{
    const std::tuple<std::uint32_t, std::uint32_t, int, int, std::uint32_t> cases[] = {
        {kNavy, kAqua, 0, 255, kNavy},
        {kNavy, kAqua, 255, 255, kAqua},
        {kNavy, kAqua, 1, 2, Rgb(0, 127, 191)},               // halves truncate toward zero
        {Rgb(255, 0, 0), Rgb(0, 0, 0), 1, 2, Rgb(128, 0, 0)}, // falling channels too
        {Rgb(255, 255, 0), Rgb(255, 0, 0), 1, 25, Rgb(255, 245, 0)},
        // A system colour is taken as it stands: its index is the red channel.
        {SystemColor(20), Rgb(0, 0, 0), 0, 25, Rgb(20, 0, 0)},
        {SystemColor(16), SystemColor(20), 25, 25, Rgb(20, 0, 0)},
        {kNavy, kAqua, 0, 0, kNavy}, // a single step is the begin colour
    };
    for (const auto& [begin, end, i, total, expected] : cases) {
        EXPECT_EQ(GradientColor(begin, end, i, total), expected) << i << "/" << total;
    }
}

TEST(GradientBands, HorizontalStripesNarrowerThan256EndExactlyAtTheRightEdge)
{
    for (int width : {137, 75, 19, 1, 256, 300}) {
        const std::vector<Band> bands = Bands(gsHorizontal, width, 21);
        ASSERT_EQ(bands.size(), 256u);
        int zeroWidth = 0;
        for (std::size_t i = 0; i < bands.size(); ++i) {
            EXPECT_EQ(bands[i].left, i == 0 ? 0 : bands[i - 1].right) << "stripe " << i << " width " << width;
            EXPECT_EQ(bands[i].top, 0);
            EXPECT_EQ(bands[i].bottom, 21);
            zeroWidth += bands[i].left == bands[i].right;
        }
        EXPECT_EQ(bands.back().right, width);
        EXPECT_EQ(zeroWidth > 0, width < 256) << width;
        EXPECT_EQ(bands.front().color, kNavy);
        EXPECT_EQ(bands.back().color, kAqua);
    }
}

TEST(GradientBands, VerticalHas26HorizontalBandsDownToTheBottom)
{
    for (int height : {21, 25, 11, 26, 200}) {
        const std::vector<Band> bands = Bands(gsVertical, 137, height, Rgb(206, 206, 206), Rgb(95, 95, 95));
        ASSERT_EQ(bands.size(), 26u);
        for (std::size_t i = 0; i < bands.size(); ++i) {
            EXPECT_EQ(bands[i].top, i == 0 ? 0 : bands[i - 1].bottom);
            EXPECT_EQ(bands[i].left, 0);
            EXPECT_EQ(bands[i].right, 137);
            EXPECT_EQ(bands[i].color, GradientColor(Rgb(206, 206, 206), Rgb(95, 95, 95), int(i), 25));
        }
        EXPECT_EQ(bands.back().bottom, height);
    }
    // With 21 rows and 26 bands some bands are empty: scale(1, 21, 26) is 0.
    const std::vector<Band> bands = Bands(gsVertical, 137, 21, 0, 0);
    EXPECT_EQ(bands[0].bottom, 0);
    EXPECT_EQ(bands[1].top, 0);
    EXPECT_EQ(bands[1].bottom, 1);
}

TEST(GradientBands, VertCenterMirrorsRowsAroundTheMiddle)
{
    for (int height : {21, 20, 25, 2, 3}) {
        const std::vector<Band> bands = Bands(gsVertCenter, 75, height);
        ASSERT_EQ(bands.size(), std::size_t(2 * (height / 2 + 1)));
        const Raster raster(75, height, bands);
        for (int y = 0; y < height; ++y) {
            EXPECT_EQ(raster.At(0, y), GradientColor(kNavy, kAqua, MirroredStep(y, height), height / 2))
                << "row " << y << " of " << height;
            EXPECT_EQ(raster.At(74, y), raster.At(0, y));
        }
        EXPECT_EQ(raster.At(10, 0), height > 2 ? kNavy : kAqua);
        EXPECT_EQ(raster.At(10, height - 1), raster.At(10, 0));
        EXPECT_EQ(raster.At(10, height / 2), kAqua);
        EXPECT_EQ(raster.At(10, (height - 1) / 2), kAqua);
    }
}

TEST(GradientBands, HorizCenterMirrorsColumnsAroundTheMiddle)
{
    for (int width : {137, 136, 2}) {
        const Raster raster(width, 21, Bands(gsHorizCenter, width, 21));
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(raster.At(x, 20), GradientColor(kNavy, kAqua, MirroredStep(x, width), width / 2))
                << "column " << x << " of " << width;
        }
    }
}

TEST(GradientBands, CentredStylesTooSmallToHaveAMiddleStillPaint)
{
    EXPECT_EQ(Raster(75, 1, Bands(gsVertCenter, 75, 1)).At(0, 0), kNavy);
    EXPECT_EQ(Raster(1, 25, Bands(gsHorizCenter, 1, 25)).At(0, 24), kNavy);
    // Reused: a face with no pixels leaves no band of the last one behind.
    std::vector<Band> bands = Bands(gsHorizCenter, 1, 25);
    for (int style = gsHorizontal; style <= gsHorizCenter; ++style) {
        GradientBands(TGradientStyle(style), 0, 0, kNavy, kAqua, bands);
        EXPECT_TRUE(bands.empty()) << style;
    }
}

TEST(GradientBands, RectangleShrinksFromTheRimToTheCentre)
{
    const int w = 137, h = 21;
    const std::vector<Band> bands = Bands(gsRectangle, w, h, Rgb(0, 0, 0), Rgb(0, 255, 0));
    ASSERT_EQ(bands.size(), 256u);
    // The first band, drawn without a pen, covers the face exactly.
    EXPECT_EQ(bands[0], (Band{BandShape::Rectangle, 0, 0, w + 1, h + 1, Rgb(0, 0, 0)}));
    // 256 steps of 137/510 and 21/510 in from each side.
    EXPECT_EQ(bands[255], (Band{BandShape::Rectangle, 68, 10, 70, 12, Rgb(0, 255, 0)}));
    for (std::size_t i = 1; i < bands.size(); ++i) {
        EXPECT_GE(bands[i].left, bands[i - 1].left);
        EXPECT_GE(bands[i].top, bands[i - 1].top);
        EXPECT_LE(bands[i].right, bands[i - 1].right);
        EXPECT_LE(bands[i].bottom, bands[i - 1].bottom);
    }
    const Raster raster(w, h, bands);
    // The edges move by fractions of a pixel, so the outermost pixels keep
    // the last band that still reaches them: step 2 across, 23 down.
    const auto step = [](int i) { return GradientColor(Rgb(0, 0, 0), Rgb(0, 255, 0), i, 255); };
    EXPECT_EQ(raster.At(0, 10), step(2));
    EXPECT_EQ(raster.At(w - 1, 10), step(2));
    EXPECT_EQ(raster.At(68, 0), step(23));
    EXPECT_EQ(raster.At(68, h - 1), step(23));
    EXPECT_EQ(raster.At(68, 10), Rgb(0, 255, 0));
    for (std::uint32_t pixel : raster.pixels) {
        ASSERT_NE(pixel, kUnpainted);
    }
}

TEST(GradientBands, EllipsesNarrowFromAThirdOutsideTheFaceToItsCentre)
{
    const std::vector<Band> bands = Bands(gsElliptic, 137, 21, Rgb(255, 255, 206), Rgb(194, 194, 146));
    ASSERT_EQ(bands.size(), 51u);
    EXPECT_EQ(bands[0], (Band{BandShape::Ellipse, -45, -7, 182, 28, Rgb(255, 255, 206)}));
    // px = (227 * 10) div 100 = 22, py = (35 * 10) div 100 = 3.
    EXPECT_EQ(bands[10], (Band{BandShape::Ellipse, -23, -4, 160, 25,
                               GradientColor(Rgb(255, 255, 206), Rgb(194, 194, 146), 10, 50)}));
    EXPECT_EQ(bands[50], (Band{BandShape::Ellipse, 68, 10, 69, 11, Rgb(194, 194, 146)}));
}

TEST(GradientBands, DroppingHiddenBandsPaintsTheSame)
{
    for (TGradientStyle style : {gsHorizontal, gsVertical, gsRectangle, gsVertCenter, gsHorizCenter}) {
        for (auto [w, h] : {std::pair{137, 21}, std::pair{19, 11}, std::pair{300, 300}, std::pair{1, 1}}) {
            const std::vector<Band> all = Bands(style, w, h);
            std::vector<Band> kept = all;
            DropHiddenBands(kept);
            EXPECT_LE(kept.size(), all.size());
            EXPECT_EQ(Raster(w, h, all).pixels, Raster(w, h, kept).pixels) << "style " << style << " " << w << "x" << h;
        }
    }
    // A narrow horizontal gradient has about as many empty stripes as it is
    // short of 256 pixels.
    std::vector<Band> bands = Bands(gsHorizontal, 137, 21);
    DropHiddenBands(bands);
    EXPECT_EQ(bands.size(), 137u);
    // Ellipses: only an exact repeat of the box is dropped, the last one kept.
    bands = {{BandShape::Ellipse, 0, 0, 10, 10, 1},
             {BandShape::Ellipse, 0, 0, 10, 10, 2},
             {BandShape::Ellipse, 1, 1, 9, 9, 3},
             {BandShape::Ellipse, 4, 4, 4, 5, 4}};
    DropHiddenBands(bands);
    EXPECT_EQ(bands, (std::vector<Band>{{BandShape::Ellipse, 0, 0, 10, 10, 2}, {BandShape::Ellipse, 1, 1, 9, 9, 3}}));
}

TEST(FrameSize, MustLeaveFivePixelsOfHalfTheSmallerSide)
{
    const std::tuple<std::int32_t, int, int, bool> cases[] = {
        {7, 75, 25, true},          {8, 75, 25, false},        {0, 75, 25, true},   {-1, 75, 25, true},
        {-100, 75, 25, true},       {1, 19, 11, false},        {0, 19, 11, true},   {5, 21, 100, true},
        {6, 21, 100, false},        {6, 100, 23, true},        {7, 100, 23, false}, {0, 9, 9, false},
        {INT32_MAX, 75, 25, false}, {INT32_MIN, 75, 25, true},
    };
    for (const auto& [size, width, height, fits] : cases) {
        EXPECT_EQ(FrameSizeFits(size, width, height), fits) << size << " on " << width << "x" << height;
    }
}

TEST(Caption, MeasuredAsDrawnWithAmpersandsResolved)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"Apply", "Apply"},
        {"&Apply", "Apply"},
        {"Ap&ply", "Apply"},
        {"Fast && usual", "Fast & usual"},
        {"Save && &Exit", "Save & Exit"},
        {"A&&", "A&"},
        {"&&&x", "&x"},
        {"x&", "x&"}, // nothing follows it: drawn as it stands
        {"&a&b", "ab"},
    };
    for (const auto& [caption, shown] : cases) {
        EXPECT_EQ(MeasuringCaption(caption), shown) << caption;
    }
}

TEST(Caption, LayersFollowStyleShadeAndEnabledState)
{
    const CaptionColors c{10, 20, 30, 40};
    struct Case {
        TTextStyle style;
        TShadeType shade;
        bool enabled;
        std::vector<std::uint32_t> colors;
        std::vector<int> offsets; // dx of each layer; dy is the same
    };
    const Case cases[] = {
        {tsNormal, stLight, true, {10}, {0}},
        {tsNormal, stHeavy, true, {10}, {0}},
        {tsRaised, stLight, true, {20, 10}, {-1, 0}},
        {tsRaised, stHeavy, true, {20, 30, 10}, {-1, 1, 0}},
        {tsInset, stLight, true, {20, 10}, {1, 0}},
        {tsInset, stHeavy, true, {30, 20, 10}, {-1, 1, 0}},
        // Disabled: inset in the disabled colour, whatever the style.
        {tsNormal, stLight, false, {20, 40}, {1, 0}},
        {tsRaised, stHeavy, false, {30, 20, 40}, {-1, 1, 0}},
        {tsInset, stLight, false, {20, 40}, {1, 0}},
    };
    for (const Case& k : cases) {
        const auto layers = CaptionLayers(k.style, k.shade, k.enabled, c);
        ASSERT_EQ(layers.size(), k.colors.size()) << k.style << k.shade << k.enabled;
        for (std::size_t i = 0; i < layers.size(); ++i) {
            EXPECT_EQ(layers[i].color, k.colors[i]);
            EXPECT_EQ(layers[i].dx, k.offsets[i]);
            EXPECT_EQ(layers[i].dy, k.offsets[i]);
        }
    }
}

TEST(Caption, AnchorFollowsJustificationAndSinksByOnePixel)
{
    EXPECT_EQ(CaptionAnchor(jCenter, 75, 25, 30, 16, false), (Point{22, 4}));
    EXPECT_EQ(CaptionAnchor(jCenter, 75, 25, 30, 16, true), (Point{23, 5}));
    EXPECT_EQ(CaptionAnchor(jLeft, 75, 25, 30, 16, false), (Point{2, 4}));
    EXPECT_EQ(CaptionAnchor(jRight, 75, 25, 30, 16, true), (Point{44, 5}));
    // Wider than the button: div truncates toward zero.
    EXPECT_EQ(CaptionAnchor(jCenter, 19, 11, 40, 16, false), (Point{-10, -2}));
}

TEST(Presets, OnlyTheSixSchemesExist)
{
    EXPECT_EQ(FindPreset(-1), nullptr);
    EXPECT_EQ(FindPreset(6), nullptr);
    for (int p = 0; p <= 5; ++p) {
        ASSERT_NE(FindPreset(p), nullptr) << p;
    }
    EXPECT_EQ(FindPreset(int(TPreset::Aluminum))->beginColor, Rgb(206, 206, 206));
    EXPECT_EQ(FindPreset(int(TPreset::Aluminum))->btnShadowClr, Rgb(0, 0, 0));
    EXPECT_STREQ(FindPreset(int(TPreset::Aluminum))->fontName, "Times New Roman");
    EXPECT_EQ(FindPreset(int(TPreset::SunRise))->gradientStyle, gsHorizontal);
    // None is a scheme of its own, not the constructed look.
    EXPECT_EQ(FindPreset(int(TPreset::None))->disabledColor, Rgb(128, 128, 128));
    for (int p = 0; p <= 5; ++p) {
        EXPECT_EQ(FindPreset(p)->clearsSwapColors, p == int(TPreset::BrassedOff)) << p;
    }
}

} // namespace
