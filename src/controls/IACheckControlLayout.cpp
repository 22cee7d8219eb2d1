#include "controls/IACheckControlLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace klarvo {

namespace {

constexpr long double pi = 3.141592653589793238462643383279502884L;

// Nearest integer, ties to even (the default rounding mode).
int Round(long double x)
{
    return static_cast<int>(std::lrint(x));
}
int Half(int x)
{
    return x / 2;
}
int Max0(int x)
{
    return std::max(0, x);
}

int Channel(Color c, int shift)
{
    return static_cast<int>((c >> shift) & 0xFF);
}

} // namespace

Color BlendColor(Color a, Color b, int total, int step, ColorResolver resolve)
{
    if (total == 0) {
        return a;
    }
    const Color ra = resolve(a);
    const Color rb = resolve(b);
    Color result = 0;
    for (int shift : {0, 8, 16}) {
        const int ca = Channel(ra, shift);
        const int cb = Channel(rb, shift);
        const int mixed = std::clamp(ca + ((cb - ca) * step) / total, 0, 255);
        result |= static_cast<Color>(mixed) << shift;
    }
    return result;
}

bool ColorsNear(Color a, Color b, int limit, ColorResolver resolve)
{
    const Color ra = resolve(a);
    const Color rb = resolve(b);
    int distance = 0;
    for (int shift : {0, 8, 16}) {
        distance += std::abs(Channel(ra, shift) - Channel(rb, shift));
    }
    return distance < limit;
}

bool SmoothFontsFor(unsigned platformId, unsigned major, unsigned minor)
{
    if (platformId == 1) {
        return major >= 4 && minor > 0;
    }
    if (platformId == 2) {
        return major >= 4;
    }
    return false;
}

int NormalizeTextAngle(int angle)
{
    while (angle > 1800) {
        angle -= 3600;
    }
    while (angle < -1799) {
        angle += 3600;
    }
    return angle;
}

std::vector<std::string> SplitTextLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

std::string JoinTextLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

Size CheckFieldSizeFor(TIACheckControlStyle style, bool hasImageList, int imageWidth, int imageHeight)
{
    switch (style) {
    case iaccsBitmap:
        return hasImageList ? Size{imageWidth, imageHeight} : Size{20, 20};
    case iaccsStyle1Small:
    case iaccsStyle3:
        return {16, 16};
    default:
        return {20, 20};
    }
}

CheckLayout::CheckLayout(CheckLayoutInput input) : in_(std::move(input))
{
    const long double theta = static_cast<long double>(in_.textAngle) * pi / 1800.0L;
    c_ = std::cos(theta);
    s_ = std::sin(theta);

    for (const Size& line : in_.lines) {
        block_.cx = std::max(block_.cx, line.cx);
        block_.cy += line.cy;
    }
    const long double w = block_.cx;
    const long double h = block_.cy;
    box_ = {Round(std::fabs(c_ * w) + std::fabs(s_ * h)), Round(std::fabs(s_ * w) + std::fabs(c_ * h))};

    if (s_ >= 0 && c_ >= 0) {
        origin_ = {0, Round(w * s_)};
    } else if (s_ >= 0) {
        origin_ = {-Round(w * c_), box_.cy};
    } else if (c_ >= 0) {
        origin_ = {Round(box_.cx - w * c_), 0};
    } else {
        origin_ = {box_.cx, Round(w * s_ + box_.cy)};
    }

    const int cw = in_.field.cx, ch = in_.field.cy, bw = box_.cx, bh = box_.cy, g = in_.gap;
    const bool centred = in_.fieldHorizontalAlign == iaccthaCenter;
    if (centred) {
        // Field over or under the text, centred on it.
        fieldPos_.x = Max0(Half(bw - cw));
        textPos_.x = Max0(Half(cw - bw));
    } else if (in_.fieldHorizontalAlign == iaccthaRight) {
        fieldPos_.x = bw + g;
    } else {
        textPos_.x = cw + g;
    }
    switch (in_.fieldVerticalAlign) {
    case iacctvaTop:
        if (centred) {
            textPos_.y = ch + g;
        }
        break;
    case iacctvaBottom:
        if (centred) {
            fieldPos_.y = bh + g;
        } else {
            fieldPos_.y = Max0(bh - ch);
            textPos_.y = Max0(ch - bh);
        }
        break;
    default:
        if (centred) {
            // Both at the corner, one over the other.
            fieldPos_ = {0, 0};
            textPos_ = {0, 0};
        } else {
            fieldPos_.y = Max0(Half(bh - ch));
            textPos_.y = Max0(Half(ch - bh));
        }
        break;
    }
}

Point CheckLayout::LineOffset(std::size_t i) const
{
    if (i >= in_.lines.size()) {
        return {0, 0};
    }
    const int wi = in_.lines[i].cx;
    int x = 0;
    if (in_.textAlign == iaccthaRight) {
        x = block_.cx - wi;
    } else if (in_.textAlign == iaccthaCenter) {
        x = Half(block_.cx - wi);
    }
    int y = 0;
    for (std::size_t k = 0; k < i; ++k) {
        y += in_.lines[k].cy;
    }
    return {Round(x * c_ + y * s_), Round(-x * s_ + y * c_)};
}

Point CheckLayout::LineOutput(std::size_t i) const
{
    const Point offset = LineOffset(i);
    return {textPos_.x + origin_.x + offset.x, textPos_.y + origin_.y + offset.y};
}

Size CheckLayout::NeededSize() const
{
    const int cw = in_.field.cx, ch = in_.field.cy, bw = box_.cx, bh = box_.cy, g = in_.gap;
    if (in_.fieldHorizontalAlign != iaccthaCenter) {
        return {cw + bw + g, std::max(ch, bh)};
    }
    if (in_.fieldVerticalAlign != iacctvaCenter) {
        return {std::max(cw, bw), ch + bh + g};
    }
    // Field and text lie over each other at the corner: the larger of the two
    // in each direction keeps both whole.
    return {std::max(cw, bw), std::max(ch, bh)};
}

std::array<Point, 4> CheckLayout::Corners(Point p0, int w, int h) const
{
    const Point p1{p0.x + Round(c_ * w), p0.y - Round(s_ * w)};
    const Point down{Round(s_ * h), Round(c_ * h)};
    return {p0, p1, Point{p1.x + down.x, p1.y + down.y}, Point{p0.x + down.x, p0.y + down.y}};
}

std::array<Point, 4> CheckLayout::FocusCorners() const
{
    const Point p0 = P0();
    const Point f0{p0.x + Round(2 * c_ + 2 * s_), p0.y + Round(2 * c_ - 2 * s_)};
    return Corners(f0, block_.cx - 4, block_.cy - 4);
}

std::vector<TextLayer> TextLayersFor(TIACheckControlText3DStyle style, bool enabled, Color fontColor, Color color,
                                     ColorResolver resolve)
{
    const Color light = BlendColor(color, clWhite, 100, 30, resolve);
    const Color dark = BlendColor(color, clBlack, 100, 30, resolve);
    const Color face = enabled ? fontColor : BlendColor(fontColor, color, 100, 50, resolve);
    switch (style) {
    case iscct3dsUp:
        return {{1, 1, dark}, {-1, -1, light}, {0, 0, face}};
    case iscct3dsDown:
        return {{1, 1, light}, {-1, -1, dark}, {0, 0, face}};
    default:
        if (enabled) {
            return {{0, 0, fontColor}};
        }
        // Engraved: a light copy under the inactive-caption colour.
        return {{1, 1, Rgb(223, 223, 223)}, {0, 0, SystemColor(3)}};
    }
}

} // namespace klarvo
