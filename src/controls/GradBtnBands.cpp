#include "controls/GradBtnBands.h"

#include <iterator>

namespace klarvo::gradbtn {

int Scale(std::int64_t i, std::int64_t n, std::int64_t total)
{
    return static_cast<int>(i * n / total);
}

Color GradientColor(Color begin, Color end, int i, int total)
{
    Color result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int b = static_cast<int>(begin >> shift & 0xff);
        const int e = static_cast<int>(end >> shift & 0xff);
        // A one-step gradient has no middle: it is all begin colour.
        const int value = total == 0 ? b : b + Scale(i, e - b, total);
        result |= static_cast<Color>(value & 0xff) << shift;
    }
    return result;
}

namespace {

void Horizontal(int w, int h, Color begin, Color end, std::vector<Band>& out)
{
    for (int i = 0; i <= 255; ++i) {
        out.push_back(
            {BandShape::Fill, Scale(i, w, 256), 0, Scale(i + 1, w, 256), h, GradientColor(begin, end, i, 255)});
    }
}

void Vertical(int w, int h, Color begin, Color end, std::vector<Band>& out)
{
    for (int i = 0; i <= 25; ++i) {
        out.push_back({BandShape::Fill, 0, Scale(i, h, 26), w, Scale(i + 1, h, 26), GradientColor(begin, end, i, 25)});
    }
}

void Elliptic(int w, int h, Color begin, Color end, std::vector<Band>& out)
{
    const int x0 = -(w / 3), x1 = w + w / 3, y0 = -(h / 3), y1 = h + h / 3;
    for (int i = 0; i <= 50; ++i) {
        const int px = Scale(i, x1 - x0, 100), py = Scale(i, y1 - y0, 100);
        out.push_back({BandShape::Ellipse, x0 + px, y0 + py, x1 - px, y1 - py, GradientColor(begin, end, i, 50)});
    }
}

void Rectangular(int w, int h, Color begin, Color end, std::vector<Band>& out)
{
    // The edges start one pixel outside the face on the right and bottom:
    // an outline-less rectangle leaves its last column and row unpainted.
    double left = 0, top = 0, right = w + 2, bottom = h + 2;
    const double sx = w / 2.0 / 255, sy = h / 2.0 / 255;
    for (int i = 0; i <= 255; ++i) {
        left += sx;
        top += sy;
        right -= sx;
        bottom -= sy;
        out.push_back({BandShape::Rectangle, static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                       static_cast<int>(bottom), GradientColor(begin, end, i, 255)});
    }
}

// Rows from the top and bottom edges toward the middle. The mirrored row of
// step i is row h - i - 1 (the face's size minus the step), kept as an
// upright rectangle so that every fill routine paints the same row.
void VertCenter(int w, int h, Color begin, Color end, std::vector<Band>& out)
{
    const int half = h / 2;
    for (int i = 0; i <= half; ++i) {
        const Color color = GradientColor(begin, end, i, half);
        out.push_back({BandShape::Fill, 0, i, w, i + 1, color});
        out.push_back({BandShape::Fill, 0, h - i - 1, w, h - i, color});
    }
}

void HorizCenter(int w, int h, Color begin, Color end, std::vector<Band>& out)
{
    const int half = w / 2;
    for (int i = 0; i <= half; ++i) {
        const Color color = GradientColor(begin, end, i, half);
        out.push_back({BandShape::Fill, i, 0, i + 1, h, color});
        out.push_back({BandShape::Fill, w - i - 1, 0, w - i, h, color});
    }
}

} // namespace

void GradientBands(TGradientStyle style, int width, int height, Color begin, Color end, std::vector<Band>& out)
{
    out.clear();
    if (width <= 0 || height <= 0) {
        return;
    }
    switch (style) {
    case gsHorizontal:
        Horizontal(width, height, begin, end, out);
        break;
    case gsVertical:
        Vertical(width, height, begin, end, out);
        break;
    case gsElliptic:
        Elliptic(width, height, begin, end, out);
        break;
    case gsRectangle:
        Rectangular(width, height, begin, end, out);
        break;
    case gsVertCenter:
        VertCenter(width, height, begin, end, out);
        break;
    case gsHorizCenter:
        HorizCenter(width, height, begin, end, out);
        break;
    }
}

void DropHiddenBands(std::vector<Band>& bands)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const Band& b = bands[i];
        if (b.right <= b.left || b.bottom <= b.top) {
            continue;
        }
        if (i + 1 < bands.size()) {
            const Band& next = bands[i + 1];
            if (next.shape == b.shape && next.left == b.left && next.top == b.top && next.right == b.right &&
                next.bottom == b.bottom) {
                continue;
            }
        }
        bands[kept++] = b;
    }
    bands.resize(kept);
}

bool FrameSizeFits(std::int32_t size, int width, int height)
{
    return size <= width / 2 - 5 && size <= height / 2 - 5;
}

std::string MeasuringCaption(const std::string& caption)
{
    // Reads the caption the way the text drawing does: an ampersand takes
    // the next character literally, so "&&" leaves one and "&x" leaves x.
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

std::vector<CaptionLayer> CaptionLayers(TTextStyle style, TShadeType shade, bool enabled, const CaptionColors& colors)
{
    const bool heavy = shade == stHeavy;
    if (!enabled || style == tsInset) {
        std::vector<CaptionLayer> layers;
        if (heavy) {
            layers.push_back({colors.shadow, -1, -1});
        }
        layers.push_back({colors.hilite, 1, 1});
        layers.push_back({enabled ? colors.font : colors.disabled, 0, 0});
        return layers;
    }
    if (style == tsRaised) {
        std::vector<CaptionLayer> layers{{colors.hilite, -1, -1}};
        if (heavy) {
            layers.push_back({colors.shadow, 1, 1});
        }
        layers.push_back({colors.font, 0, 0});
        return layers;
    }
    return {{colors.font, 0, 0}};
}

Point CaptionAnchor(TJustification justification, int width, int height, int textWidth, int textHeight, bool sunk)
{
    const int d = sunk ? 1 : 0;
    const int y = (height - textHeight) / 2 + d;
    switch (justification) {
    case jLeft:
        return {2 + d, y};
    case jRight:
        return {width - textWidth - 2 + d, y};
    case jCenter:
        break;
    }
    return {(width - textWidth) / 2 + d, y};
}

namespace {

// In TPreset order.
const PresetScheme kPresets[] = {
    {Rgb(128, 128, 128), Rgb(0, 0, 128), Rgb(0, 255, 255), "MS Sans Serif", 8, false, Rgb(0, 0, 0), gsVertCenter,
     stLight, tsRaised, clBtnHighlight, clBtnShadow, clBtnHighlight, clBtnShadow, false},
    {Rgb(187, 187, 0), Rgb(255, 255, 0), Rgb(128, 128, 0), "Arial", 10, true, Rgb(187, 187, 0), gsVertical, stHeavy,
     tsRaised, Rgb(255, 255, 191), Rgb(113, 113, 0), Rgb(255, 255, 179), Rgb(97, 97, 97), false},
    {Rgb(128, 128, 0), Rgb(0, 0, 0), Rgb(0, 255, 0), "Courier", 8, false, Rgb(0, 128, 0), gsRectangle, stLight,
     tsRaised, Rgb(172, 255, 172), Rgb(0, 64, 0), clBtnHighlight, clBtnShadow, false},
    {Rgb(128, 128, 128), Rgb(206, 206, 206), Rgb(95, 95, 95), "Times New Roman", 10, true, Rgb(0, 0, 0), gsVertical,
     stHeavy, tsInset, clBtnHighlight, clBtnShadow, Rgb(255, 255, 255), Rgb(0, 0, 0), false},
    {Rgb(128, 128, 128), Rgb(255, 255, 0), Rgb(255, 0, 0), "MS Sans Serif", 8, true, Rgb(64, 0, 0), gsHorizontal,
     stHeavy, tsRaised, Rgb(230, 231, 207), Rgb(176, 88, 0), clBtnHighlight, clBtnShadow, false},
    {Rgb(128, 128, 0), Rgb(255, 255, 206), Rgb(194, 194, 146), "Verdana", 9, false, Rgb(128, 0, 0), gsElliptic, stLight,
     tsNormal, Rgb(255, 255, 239), Rgb(194, 194, 146), Rgb(255, 255, 239), Rgb(194, 194, 146), true},
};

} // namespace

const PresetScheme* FindPreset(std::int32_t preset)
{
    if (preset < 0 || preset >= static_cast<std::int32_t>(std::size(kPresets))) {
        return nullptr;
    }
    return &kPresets[preset];
}

} // namespace klarvo::gradbtn
