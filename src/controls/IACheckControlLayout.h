#pragma once

// Geometry and colour arithmetic of the check control, kept free of windows.h
// so that every quantity can be checked without a window.

#include "framework/drawing/Color.h"
#include "framework/drawing/Types.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace klarvo {

enum TIACheckControlType : int { iacctCheck = 0, iacctSelect = 1 };
enum TIACheckControlStyle : int {
    iaccsStyle1 = 0,
    iaccsBitmap = 1,
    iaccsStyle2 = 2,
    iaccsStyle1Small = 3,
    iaccsStyle3 = 4,
};
enum TIACheckControlTextHAlign : int { iaccthaLeft = 0, iaccthaRight = 1, iaccthaCenter = 2 };
enum TIACheckControlTextVAlign : int { iacctvaTop = 0, iacctvaBottom = 1, iacctvaCenter = 2 };
enum TIACheckControlText3DStyle : int { iscct3dsSimple = 0, iscct3dsUp = 1, iscct3dsDown = 2 };

// Turns a system colour into its current RGB value; tests give a fixed
// palette instead of the platform's.
using ColorResolver = Color (*)(Color);

// Moves A toward B by Step/Total of the way per channel. Total 0 returns A as
// given, a system colour included.
Color BlendColor(Color a, Color b, int total, int step, ColorResolver resolve = ColorToRGB);
// True when the channel distances add up to less than `limit`.
bool ColorsNear(Color a, Color b, int limit, ColorResolver resolve = ColorToRGB);
inline bool IsDarkColor(Color c, ColorResolver resolve = ColorToRGB)
{
    return ColorsNear(c, clBlack, 384, resolve);
}

// Anti-aliased text only where the platform draws it well: 98/Me and NT 4 on.
bool SmoothFontsFor(unsigned platformId, unsigned major, unsigned minor);

// Tenths of a degree held in -1799 ... 1800.
int NormalizeTextAngle(int angle);

// Lines end at CR LF, a lone CR or a lone LF; a final break adds no line.
std::vector<std::string> SplitTextLines(std::string_view text);
// Every line followed by CR LF.
std::string JoinTextLines(const std::vector<std::string>& lines);

// The field's size for a style; an image list gives its own image size.
Size CheckFieldSizeFor(TIACheckControlStyle style, bool hasImageList, int imageWidth, int imageHeight);

struct CheckLayoutInput {
    int textAngle = 0; // already normalised
    TIACheckControlTextHAlign textAlign = iaccthaLeft;
    TIACheckControlTextVAlign fieldVerticalAlign = iacctvaTop;
    TIACheckControlTextHAlign fieldHorizontalAlign = iaccthaLeft;
    int gap = 4;
    Size field{20, 20};
    std::vector<Size> lines; // unrotated extent of each text line
};

// Every layout quantity of one arrangement, computed once from its inputs.
class CheckLayout {
public:
    explicit CheckLayout(CheckLayoutInput input);

    Size FieldSize() const { return in_.field; }
    Size BlockSize() const { return block_; } // W, H: the unrotated text
    Size BoxSize() const { return box_; }     // BW, BH: the rotated text's bounds
    Point TextOrigin() const { return origin_; }
    Point CheckFieldPos() const { return fieldPos_; }
    Point TextFieldPos() const { return textPos_; }
    Point LineOffset(std::size_t i) const;
    Point LineOutput(std::size_t i) const;
    std::size_t LineCount() const { return in_.lines.size(); }
    Size NeededSize() const;
    // P0..P3 of the rotated text block.
    std::array<Point, 4> TextCorners() const { return Corners(P0(), block_.cx, block_.cy); }
    // The text block shrunk by 2 pixels on every side, following the rotation.
    std::array<Point, 4> FocusCorners() const;

private:
    Point P0() const { return {textPos_.x + origin_.x, textPos_.y + origin_.y}; }
    std::array<Point, 4> Corners(Point p0, int w, int h) const;

    CheckLayoutInput in_;
    long double c_ = 1, s_ = 0;
    Size block_, box_;
    Point origin_, fieldPos_, textPos_;
};

// One copy of a text line: written at the line's point moved by (dx, dy).
struct TextLayer {
    int dx = 0;
    int dy = 0;
    Color color = 0;
    friend bool operator==(const TextLayer&, const TextLayer&) = default;
};
// The copies that make up flat, raised or sunk text, back to front.
std::vector<TextLayer> TextLayersFor(TIACheckControlText3DStyle style, bool enabled, Color fontColor, Color color,
                                     ColorResolver resolve = ColorToRGB);

} // namespace klarvo
