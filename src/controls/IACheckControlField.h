#pragma once

// The check field's picture as a sequence of canvas calls. The drawing talks
// to this narrow surface so that the control can replay it on its real canvas
// and tests can record it call by call.

#include "controls/IACheckControlLayout.h"

#include <vector>

namespace klarvo {

class CheckFieldCanvas {
public:
    virtual ~CheckFieldCanvas() = default;
    virtual void SetPenColor(Color color) = 0;
    virtual void SetPenSolid(bool solid) = 0; // false: no outline
    virtual void SetPenWidth(int width) = 0;
    virtual void SetBrushColor(Color color) = 0;
    virtual void SetBrushSolid(bool solid) = 0; // false: no fill
    // Bounding boxes, right and bottom exclusive.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void Polygon(const std::vector<Point>& points) = 0; // alternate fill
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0; // end point not drawn
    virtual void FillRect(int left, int top, int right, int bottom) = 0;
    virtual void DrawImage(int index, int x, int y) = 0; // normal look
};

// The six colours of one field, derived at each drawing.
struct CheckFieldColors {
    Color field = 0;
    Color mark = 0;
    Color fieldLight = 0;
    Color fieldDark = 0;
    Color mixLight = 0;
    Color mixDark = 0;
    bool darkField = false;
    bool darkMark = false;
};
CheckFieldColors CheckFieldColorsFor(Color color, Color color1, Color color2, bool enabled,
                                     ColorResolver resolve = ColorToRGB);

struct CheckFieldState {
    TIACheckControlStyle style = iaccsStyle1Small;
    TIACheckControlType type = iacctCheck;
    bool checked = false;
    bool enabled = true;
    Color color = 0;                   // the control's own colour
    Color color1 = Rgb(128, 128, 128); // field body
    Color color2 = Rgb(192, 192, 192); // mark
    Point pos;                         // top-left corner of the field
    Size size{16, 16};
    int imageCount = -1; // images in the list; negative without a list
};

void DrawCheckField(CheckFieldCanvas& canvas, const CheckFieldState& state, ColorResolver resolve = ColorToRGB);

// The rounded ten-point ellipse of the lens look: horizontal for a radio
// button, turned by 45 degrees for a check box. `k` narrows the short axis.
std::vector<Point> LensPolygon(Size size, int k, bool turned);

} // namespace klarvo
