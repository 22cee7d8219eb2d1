#pragma once

// The check field's picture in each of its looks, drawn on a canvas: the
// control's own on screen, a recording one in tests.

#include "controls/IACheckControlLayout.h"
#include "framework/drawing/Canvas.h"

#include <vector>

namespace klarvo {

class ImageList;

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
    // The bitmap look's four images (normal, checked, disabled, disabled
    // and checked); a list of fewer draws nothing.
    const ImageList* images = nullptr;
};

void DrawCheckField(Canvas& canvas, const CheckFieldState& state, ColorResolver resolve = ColorToRGB);

// The rounded ten-point ellipse of the lens look: horizontal for a radio
// button, turned by 45 degrees for a check box. `k` narrows the short axis.
std::vector<Point> LensPolygon(Size size, int k, bool turned);

} // namespace klarvo
