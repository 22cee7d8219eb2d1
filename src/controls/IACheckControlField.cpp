#include "controls/IACheckControlField.h"

#include "framework/window/ImageList.h"

#include <cmath>

namespace klarvo {

namespace {

constexpr long double pi = 3.141592653589793238462643383279502884L;

int Round(long double x)
{
    return static_cast<int>(std::lrint(x));
}

// Draws in the field's own coordinates.
class FieldPainter {
public:
    FieldPainter(Canvas& canvas, Point origin) : canvas_(canvas), origin_(origin) {}

    void Rectangle(int l, int t, int r, int b) { canvas_.Rectangle(X(l), Y(t), X(r), Y(b)); }
    void Ellipse(int l, int t, int r, int b) { canvas_.Ellipse(X(l), Y(t), X(r), Y(b)); }
    void FillRect(int l, int t, int r, int b) { canvas_.FillRect(Rect{X(l), Y(t), X(r), Y(b)}); }
    void Polygon(std::vector<Point> points)
    {
        for (Point& p : points) {
            p = {X(p.x), Y(p.y)};
        }
        canvas_.Polygon(points);
    }
    // A polyline through the points as move-to and line-to calls: a wide
    // pen draws each segment on its own, without joins.
    void Lines(std::initializer_list<Point> points)
    {
        bool first = true;
        for (const Point& p : points) {
            if (first) {
                canvas_.MoveTo(X(p.x), Y(p.y));
            } else {
                canvas_.LineTo(X(p.x), Y(p.y));
            }
            first = false;
        }
    }
    // A solid-brush polygon with no outline.
    void Patch(Color brush, std::vector<Point> points)
    {
        Brush(brush);
        BrushSolid(true);
        PenSolid(false);
        Polygon(std::move(points));
        PenSolid(true);
    }
    void Pen(Color color) { canvas_.pen.color = color; }
    void PenSolid(bool solid) { canvas_.pen.style = solid ? PenStyle::Solid : PenStyle::Clear; }
    void PenWidth(int width) { canvas_.pen.width = width; }
    void Brush(Color color) { canvas_.brush.color = color; }
    void BrushSolid(bool solid) { canvas_.brush.style = solid ? BrushStyle::Solid : BrushStyle::Clear; }

private:
    int X(int x) const { return origin_.x + x; }
    int Y(int y) const { return origin_.y + y; }

    Canvas& canvas_;
    Point origin_;
};

void DrawStyle1(FieldPainter& p, const CheckFieldState& st, const CheckFieldColors& k)
{
    const int n = st.size.cx;
    if (st.type == iacctCheck) {
        p.Pen(k.field);
        p.Brush(k.field);
        p.BrushSolid(true);
        p.Rectangle(2, 2, n - 2, n - 2);
        p.Pen(k.fieldLight);
        p.Lines({{0, n - 1}, {0, 0}, {n - 1, 0}});
        p.Lines({{1, n - 2}, {1, 1}, {n - 2, 1}});
        p.Pen(k.fieldDark);
        p.Lines({{0, n - 1}, {n - 1, n - 1}, {n - 1, 0}});
        p.Lines({{1, n - 2}, {n - 2, n - 2}, {n - 2, 1}});
        if (!st.checked) {
            return;
        }
        const int t = n / 3;
        p.PenWidth(n / 8);
        p.Pen(k.darkMark ? k.mixLight : k.mixDark);
        p.Lines({{t - 1, t - 1}, {n - t - 1, n - t - 1}});
        p.Lines({{t - 1, n - t - 1}, {n - t - 1, t - 1}});
        p.Lines({{t + 1, t + 1}, {n - t + 1, n - t + 1}});
        p.Lines({{t + 1, n - t + 1}, {n - t + 1, t + 1}});
        p.Pen(k.mark);
        p.Lines({{t - 1, t - 1}, {n - t + 1, n - t + 1}});
        p.Lines({{t - 1, n - t + 1}, {n - t + 1, t - 1}});
        p.PenWidth(1);
        return;
    }
    const int q = n / 4;
    p.Patch(k.field, {{2, q + 2},
                      {q + 2, 2},
                      {n - q - 2, 2},
                      {n - 2, q + 2},
                      {n - 2, n - q - 2},
                      {n - q - 2, n - 2},
                      {q + 2, n - 2},
                      {2, n - q - 2}});
    p.Patch(k.fieldLight, {{2, n - q - 2},
                           {2, q + 2},
                           {q + 2, 2},
                           {n - q - 2, 2},
                           {n - 2, q + 2},
                           {n, q},
                           {n - q, 0},
                           {q, 0},
                           {0, q},
                           {0, n - q}});
    p.Patch(k.fieldDark, {{n - 2, q + 2},
                          {n - 2, n - q - 2},
                          {n - q - 2, n - 2},
                          {q + 2, n - 2},
                          {2, n - q - 2},
                          {0, n - q},
                          {q, n},
                          {n - q, n},
                          {n, n - q},
                          {n, q}});
    if (!st.checked) {
        return;
    }
    const int h = n / 2, e = n / 6;
    p.Patch(k.fieldLight, {{h - e, h + e},
                           {h - e, h - e},
                           {h + e, h - e},
                           {h + e + 2, h - e - 2},
                           {h - e - 2, h - e - 2},
                           {h - e - 2, h + e + 2}});
    p.Patch(k.fieldDark, {{h - e, h + e},
                          {h + e, h + e},
                          {h + e, h - e},
                          {h + e + 2, h - e - 2},
                          {h + e + 2, h + e + 2},
                          {h - e - 2, h + e + 2}});
    p.Brush(k.mark);
    p.FillRect(h - e, h - e, h + e, h + e);
}

void DrawStyle2(FieldPainter& p, const CheckFieldState& st, const CheckFieldColors& k)
{
    const bool turned = st.type == iacctCheck;
    const auto shifted = [&](std::vector<Point> points) {
        for (Point& pt : points) {
            pt.x += turned ? -1 : 0;
            pt.y -= 1;
        }
        return points;
    };
    p.Patch(k.fieldDark, LensPolygon(st.size, 0, turned));
    p.Patch(k.field, LensPolygon(st.size, 2, turned));
    p.Patch(k.fieldLight, shifted(LensPolygon(st.size, 4, turned)));
    p.Patch(k.field, LensPolygon(st.size, 4, turned));
    p.BrushSolid(false);
    p.Pen(clBlack);
    p.PenSolid(true);
    p.PenWidth(1);
    p.Polygon(LensPolygon(st.size, 0, turned));
    p.BrushSolid(true);
    if (!st.checked) {
        return;
    }
    const int cx = st.size.cx / 2, cy = st.size.cy / 2;
    p.Brush(k.mark);
    p.BrushSolid(true);
    p.Pen(k.darkMark ? k.mixLight : clBlack);
    p.PenSolid(true);
    p.Polygon({{cx - 5, cy - 5}, {cx, cy}, {cx + 5, cy - 9}, {cx + 1, cy + 7}});
}

std::vector<Point> Cross(int n, int d)
{
    const int h = n / 2, t = n / 3;
    return {{h - t + d, h - t}, {h, h - d}, {h + t - d, h - t}, {h + t, h - t + d}, {h + d, h}, {h + t, h + t - d},
            {h + t - d, h + t}, {h, h + d}, {h - t + d, h + t}, {h - t, h + t - d}, {h - d, h}, {h - t, h - t + d}};
}

void DrawStyle3(FieldPainter& p, const CheckFieldState& st, const CheckFieldColors& k)
{
    const int n = st.size.cx;
    // A dark field is lit from inside, a light one shaded.
    const Color outerPen = k.darkField ? k.fieldLight : k.fieldDark;
    const Color innerPen = k.darkField ? k.fieldDark : k.fieldLight;
    const Color hollow = k.darkField ? k.mixDark : k.mixLight;
    const Color core = k.darkField ? k.fieldLight : k.fieldDark;
    if (st.type == iacctCheck) {
        p.Brush(k.field);
        p.Pen(outerPen);
        p.Rectangle(0, 0, n, n);
        p.Brush(st.checked ? hollow : st.color);
        p.Pen(innerPen);
        p.Rectangle(2, 2, n - 2, n - 2);
        if (!st.checked) {
            return;
        }
        p.Brush(k.mark);
        p.Pen(k.darkMark ? k.mixLight : k.mixDark);
        p.Polygon(Cross(n, 2));
        p.Brush(core);
        p.Pen(innerPen);
        p.Polygon(Cross(n, 1));
        return;
    }
    p.Brush(k.field);
    p.Pen(outerPen);
    p.Ellipse(1, 1, n - 1, n - 1);
    p.Brush(st.checked ? hollow : st.color);
    p.Pen(innerPen);
    p.Ellipse(3, 3, n - 3, n - 3);
    if (!st.checked) {
        return;
    }
    p.Brush(core);
    p.Pen(k.mark);
    p.Ellipse(4, 4, n - 4, n - 4);
    p.Brush(k.mark);
    p.Pen(core);
    p.Ellipse(5, 5, n - 5, n - 5);
}

} // namespace

CheckFieldColors CheckFieldColorsFor(Color color, Color color1, Color color2, bool enabled, ColorResolver resolve)
{
    CheckFieldColors k;
    k.field = enabled ? color1 : BlendColor(color, color1, 100, 30, resolve);
    k.mark = enabled ? color2 : BlendColor(color, color2, 100, 30, resolve);
    k.fieldLight = BlendColor(k.field, clWhite, 100, 30, resolve);
    k.fieldDark = BlendColor(k.field, clBlack, 100, 30, resolve);
    const Color mix = BlendColor(k.mark, k.field, 100, 50, resolve);
    k.mixLight = BlendColor(mix, clWhite, 100, 50, resolve);
    k.mixDark = BlendColor(mix, clBlack, 100, 30, resolve);
    k.darkField = IsDarkColor(k.field, resolve);
    k.darkMark = IsDarkColor(k.mark, resolve);
    return k;
}

std::vector<Point> LensPolygon(Size size, int k, bool turned)
{
    const double d = std::sqrt(static_cast<double>(size.cx) * size.cx + static_cast<double>(size.cy) * size.cy);
    const long double a = d / 3.0L;
    const long double b = d / 5.0L - k;
    const int cx = size.cx / 2, cy = size.cy / 2;
    const long double root2 = std::sqrt(2.0L);
    std::vector<Point> points;
    points.reserve(10);
    for (int i = 0; i < 10; ++i) {
        const long double angle = i * 2 * pi / 10;
        const int x = Round(std::cos(angle) * a);
        const int y = Round(std::sin(angle) * b);
        if (turned) {
            points.push_back({cx + Round((x + y) / root2), cy + Round((y - x) / root2)});
        } else {
            points.push_back({cx + x, cy + y});
        }
    }
    return points;
}

void DrawCheckField(Canvas& canvas, const CheckFieldState& state, ColorResolver resolve)
{
    FieldPainter painter(canvas, state.pos);
    switch (state.style) {
    case iaccsBitmap:
        if (state.images && state.images->Count() >= 4) {
            state.images->Draw(canvas, state.pos.x, state.pos.y, (state.enabled ? 0 : 2) + (state.checked ? 1 : 0));
        }
        return;
    case iaccsStyle1:
    case iaccsStyle1Small:
        DrawStyle1(painter, state,
                   CheckFieldColorsFor(state.color, state.color1, state.color2, state.enabled, resolve));
        return;
    case iaccsStyle2:
        DrawStyle2(painter, state,
                   CheckFieldColorsFor(state.color, state.color1, state.color2, state.enabled, resolve));
        return;
    case iaccsStyle3:
        DrawStyle3(painter, state,
                   CheckFieldColorsFor(state.color, state.color1, state.color2, state.enabled, resolve));
        return;
    default:
        return;
    }
}

} // namespace klarvo
