#pragma once

// The arithmetic of the gradient button's face: gradient bands, frame rings,
// caption layers and the colour schemes. Nothing here touches a window, so
// the geometry can be checked pixel-exact without painting.

#include "framework/drawing/Color.h"
#include "framework/drawing/Types.h"

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

// The hot-tracking caption colour.
constexpr Color kHotColor = clBlue;

// (i * n) div total with the product in 64 bits; div truncates toward zero.
int Scale(std::int64_t i, std::int64_t n, std::int64_t total);

// Step `i` of `total` from `begin` to `end`, channel by channel, on the
// colours' low three bytes as they stand (a system colour is not resolved).
Color GradientColor(Color begin, Color end, int i, int total);

enum class BandShape {
    Fill,      // the rectangle filled, right and bottom edges excluded
    Rectangle, // the platform's rectangle drawn with no outline pen
    Ellipse,   // the platform's ellipse drawn with no outline pen
};

struct Band {
    BandShape shape;
    int left, top, right, bottom;
    Color color;
    bool operator==(const Band&) const = default;
};

// The bands that paint a width x height face in `style`, in drawing order,
// later bands over earlier ones. `out` is cleared first and reused, so a
// caller that keeps it allocates only once.
void GradientBands(TGradientStyle style, int width, int height, Color begin, Color end, std::vector<Band>& out);

// Drops the bands that leave no trace: empty ones, and those that the next
// band covers exactly. What the rest paint is the same, with fewer calls.
void DropHiddenBands(std::vector<Band>& bands);

// Whether a frame `size` pixels thick fits a width x height button.
bool FrameSizeFits(std::int32_t size, int width, int height);

// The caption as drawn, used to measure it: "&x" shows x, "&&" shows "&".
std::string MeasuringCaption(const std::string& caption);

struct CaptionLayer {
    Color color;
    int dx, dy;
};

struct CaptionColors {
    Color font;     // the Font colour at paint time
    Color hilite;   // TxtHiliteClr
    Color shadow;   // TxtShadowClr
    Color disabled; // DisabledColor
};

// The caption's layers in drawing order; a disabled button is always inset.
std::vector<CaptionLayer> CaptionLayers(TTextStyle style, TShadeType shade, bool enabled, const CaptionColors& colors);

// Where the face layer of a caption textWidth x textHeight starts; `sunk`
// moves it one pixel right and down.
Point CaptionAnchor(TJustification justification, int width, int height, int textWidth, int textHeight, bool sunk);

// A named colour scheme: every property it overwrites.
struct PresetScheme {
    Color disabledColor;
    Color beginColor;
    Color endColor;
    const char* fontName;
    int fontPoints;
    bool fontBold;
    Color fontColor;
    TGradientStyle gradientStyle;
    TShadeType textShadeType;
    TTextStyle textStyle;
    Color txtHiliteClr;
    Color txtShadowClr;
    Color btnHiliteClr;
    Color btnShadowClr;
    bool clearsSwapColors;
};

// The scheme of a preset ordinal, or nullptr outside 0 ... 5.
const PresetScheme* FindPreset(std::int32_t preset);

} // namespace gradbtn
} // namespace klarvo
