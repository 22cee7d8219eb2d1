#pragma once

// Geometry and colour arithmetic of the check control, kept free of windows.h
// so that every quantity can be checked without a window.

#include <array>
#include <cstdint>
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

// A 32-bit colour value: RGB in the low three bytes, or 0x80 in the top byte
// and a system-colour index in the low byte.
using CheckColor = std::uint32_t;

constexpr CheckColor CheckRgb(int r, int g, int b)
{
    return static_cast<CheckColor>(r & 0xFF) | (static_cast<CheckColor>(g & 0xFF) << 8) |
           (static_cast<CheckColor>(b & 0xFF) << 16);
}
constexpr CheckColor CheckSysColor(int index)
{
    return 0x80000000u | static_cast<CheckColor>(index & 0xFF);
}
constexpr CheckColor checkWhite = CheckRgb(255, 255, 255);
constexpr CheckColor checkBlack = CheckRgb(0, 0, 0);

// Turns a system colour into its current RGB value; RGB colours pass through.
using ColorResolver = CheckColor (*)(CheckColor);
CheckColor ResolveCheckColor(CheckColor color);

// Moves A toward B by Step/Total of the way per channel. Total 0 returns A as
// given, a system colour included.
CheckColor BlendColor(CheckColor a, CheckColor b, int total, int step, ColorResolver resolve = ResolveCheckColor);
// True when the channel distances add up to less than `limit`.
bool ColorsNear(CheckColor a, CheckColor b, int limit, ColorResolver resolve = ResolveCheckColor);
inline bool IsDarkColor(CheckColor c, ColorResolver resolve = ResolveCheckColor)
{
    return ColorsNear(c, checkBlack, 384, resolve);
}

// Anti-aliased text only where the platform draws it well: 98/Me and NT 4 on.
bool SmoothFontsFor(unsigned platformId, unsigned major, unsigned minor);

// Tenths of a degree held in -1799 ... 1800.
int NormalizeTextAngle(int angle);

// Lines end at CR LF, a lone CR or a lone LF; a final break adds no line.
std::vector<std::string> SplitTextLines(std::string_view text);
// Every line followed by CR LF.
std::string JoinTextLines(const std::vector<std::string>& lines);

struct CheckPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const CheckPoint&, const CheckPoint&) = default;
};
struct CheckSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const CheckSize&, const CheckSize&) = default;
};

// The field's size for a style; an image list gives its own image size.
CheckSize CheckFieldSizeFor(TIACheckControlStyle style, bool hasImageList, int imageWidth, int imageHeight);

struct CheckLayoutInput {
    int textAngle = 0; // already normalised
    TIACheckControlTextHAlign textAlign = iaccthaLeft;
    TIACheckControlTextVAlign fieldVerticalAlign = iacctvaTop;
    TIACheckControlTextHAlign fieldHorizontalAlign = iaccthaLeft;
    int gap = 4;
    CheckSize field{20, 20};
    std::vector<CheckSize> lines; // unrotated extent of each text line
};

// Every layout quantity of one arrangement, computed once from its inputs.
class CheckLayout {
public:
    explicit CheckLayout(CheckLayoutInput input);

    CheckSize FieldSize() const { return in_.field; }
    CheckSize BlockSize() const { return block_; } // W, H: the unrotated text
    CheckSize BoxSize() const { return box_; }     // BW, BH: the rotated text's bounds
    CheckPoint TextOrigin() const { return origin_; }
    CheckPoint CheckFieldPos() const { return fieldPos_; }
    CheckPoint TextFieldPos() const { return textPos_; }
    CheckPoint LineOffset(std::size_t i) const;
    CheckPoint LineOutput(std::size_t i) const;
    std::size_t LineCount() const { return in_.lines.size(); }
    CheckSize NeededSize() const;
    // P0..P3 of the rotated text block.
    std::array<CheckPoint, 4> TextCorners() const { return Corners(P0(), block_.cx, block_.cy); }
    // The text block shrunk by 2 pixels on every side, following the rotation.
    std::array<CheckPoint, 4> FocusCorners() const;

private:
    CheckPoint P0() const { return {textPos_.x + origin_.x, textPos_.y + origin_.y}; }
    std::array<CheckPoint, 4> Corners(CheckPoint p0, int w, int h) const;

    CheckLayoutInput in_;
    long double c_ = 1, s_ = 0;
    CheckSize block_, box_;
    CheckPoint origin_, fieldPos_, textPos_;
};

// One copy of a text line: written at the line's point moved by (dx, dy).
struct TextLayer {
    int dx = 0;
    int dy = 0;
    CheckColor color = 0;
    friend bool operator==(const TextLayer&, const TextLayer&) = default;
};
// The copies that make up flat, raised or sunk text, back to front.
std::vector<TextLayer> TextLayersFor(TIACheckControlText3DStyle style, bool enabled, CheckColor fontColor,
                                     CheckColor color, ColorResolver resolve = ResolveCheckColor);

} // namespace klarvo
