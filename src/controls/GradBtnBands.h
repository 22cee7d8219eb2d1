#pragma once

// The arithmetic of the gradient button's face: gradient bands, frame rings,
// caption layers and the colour schemes. Nothing here touches a window, so
// the geometry can be checked pixel-exact without painting.

#include <cstdint>
#include <string>
#include <vector>

namespace klarvo {

enum TGradientStyle : std::int32_t { gsHorizontal, gsVertical, gsElliptic, gsRectangle, gsVertCenter, gsHorizCenter };
enum TTextStyle : std::int32_t { tsNormal, tsRaised, tsInset };
enum TShadeType : std::int32_t { stLight, stHeavy };
enum class TPreset : std::int32_t { None, GoldCoast, LimeBox, Aluminum, SunRise, BrassedOff };
enum TJustification : std::int32_t { jLeft, jCenter, jRight };

namespace gradbtn {

// Colour values as stored: RGB in the low three bytes, or 0x80 in the top
// byte and a system-colour index in the low byte.
constexpr std::uint32_t Rgb(int r, int g, int b)
{
    return std::uint32_t(r & 0xff) | std::uint32_t(g & 0xff) << 8 | std::uint32_t(b & 0xff) << 16;
}
constexpr std::uint32_t SysColor(int index)
{
    return 0x80000000u | std::uint32_t(index & 0xff);
}
constexpr std::uint32_t kBtnHighlight = SysColor(20);
constexpr std::uint32_t kBtnShadow = SysColor(16);
constexpr std::uint32_t kGrayText = SysColor(17);
constexpr std::uint32_t kHotColor = Rgb(0, 0, 255);

// (i * n) div total with the product in 64 bits; div truncates toward zero.
int Scale(std::int64_t i, std::int64_t n, std::int64_t total);

// Step `i` of `total` from `begin` to `end`, channel by channel, on the
// colours' low three bytes as they stand (a system colour is not resolved).
std::uint32_t GradientColor(std::uint32_t begin, std::uint32_t end, int i, int total);

enum class BandShape {
    Fill,      // the rectangle filled, right and bottom edges excluded
    Rectangle, // the platform's rectangle drawn with no outline pen
    Ellipse,   // the platform's ellipse drawn with no outline pen
};

struct Band {
    BandShape shape;
    int left, top, right, bottom;
    std::uint32_t color;
    bool operator==(const Band&) const = default;
};

// The bands that paint a width x height face in `style`, in drawing order,
// later bands over earlier ones. `out` is cleared first and reused, so a
// caller that keeps it allocates only once.
void GradientBands(TGradientStyle style, int width, int height, std::uint32_t begin, std::uint32_t end,
                   std::vector<Band>& out);

// The 3-D frame as one-pixel fills: `rings` rings inset one pixel each, top
// and left edges in `topLeft`, right and bottom edges in `bottomRight` (which
// also takes the top-right and bottom-left corners). No rings for rings <= 0.
void FrameBands(int width, int height, int rings, std::uint32_t topLeft, std::uint32_t bottomRight,
                std::vector<Band>& out);

// Whether a frame `size` pixels thick fits a width x height button.
bool FrameSizeFits(std::int32_t size, int width, int height);

// The caption as drawn, used to measure it: "&x" shows x, "&&" shows "&".
std::string MeasuringCaption(const std::string& caption);

// The character that "&" marks in the caption, or 0 when none does.
char AcceleratorOf(const std::string& caption);

// Whether typing `ch` selects a button with this caption; letters match in
// either case.
bool IsCaptionAccelerator(char ch, const std::string& caption);

struct CaptionLayer {
    std::uint32_t color;
    int dx, dy;
};

struct CaptionColors {
    std::uint32_t font;     // the Font colour at paint time
    std::uint32_t hilite;   // TxtHiliteClr
    std::uint32_t shadow;   // TxtShadowClr
    std::uint32_t disabled; // DisabledColor
};

// The caption's layers in drawing order; a disabled button is always inset.
std::vector<CaptionLayer> CaptionLayers(TTextStyle style, TShadeType shade, bool enabled, const CaptionColors& colors);

struct Point {
    int x, y;
    bool operator==(const Point&) const = default;
};

// Where the face layer of a caption textWidth x textHeight starts; `sunk`
// moves it one pixel right and down.
Point CaptionAnchor(TJustification justification, int width, int height, int textWidth, int textHeight, bool sunk);

// A named colour scheme: every property it overwrites.
struct PresetScheme {
    std::uint32_t disabledColor;
    std::uint32_t beginColor;
    std::uint32_t endColor;
    const char* fontName;
    int fontPoints;
    bool fontBold;
    std::uint32_t fontColor;
    TGradientStyle gradientStyle;
    TShadeType textShadeType;
    TTextStyle textStyle;
    std::uint32_t txtHiliteClr;
    std::uint32_t txtShadowClr;
    std::uint32_t btnHiliteClr;
    std::uint32_t btnShadowClr;
    bool clearsSwapColors;
};

// The scheme of a preset ordinal, or nullptr outside 0 ... 5.
const PresetScheme* FindPreset(std::int32_t preset);

} // namespace gradbtn
} // namespace klarvo
