#include "framework/window/HintWindow.h"

#include "framework/window/Application.h"
#include "framework/drawing/GdiCanvas.h"

namespace klarvo {

HintWindow::HintWindow() : CustomControl(nullptr)
{
    visible_ = false;
    color_ = App().HintColor();
    font_ = App().HintFont();
}

HintWindow::~HintWindow() = default;

void HintWindow::CreateParams(WindowParams& p)
{
    CustomControl::CreateParams(p);
    p.style = WS_POPUP | WS_BORDER;
    p.classStyle = CS_SAVEBITS;
    p.exStyle = WS_EX_TOOLWINDOW;
    p.className = "KlarvoHint";
}

Rect HintWindow::CalcHintRect(int maxWidth, const std::string& text)
{
    Rect r{0, 0, maxWidth, 0};
    Canvas& c = GetCanvas();
    c.font = font_;
    c.TextRect(text, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.right += 6;
    r.bottom += 2;
    return r;
}

void HintWindow::ActivateHint(Rect r, const std::string& text)
{
    color_ = App().HintColor();
    SetText(text);
    r.bottom += 4;
    r = KeptInside(r, Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    bounds_ = r;
    HWND h = Handle();
    SetWindowPos(h, HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    visible_ = true;
    InvalidateRect(h, nullptr, TRUE);
}

bool HintWindow::EraseBackground(HDC dc)
{
    RECT r{};
    GetClientRect(hwnd_, &r);
    GdiObject<HBRUSH> b(CreateSolidBrush(ColorToRGB(color_)));
    FillRect(dc, &r, b.Get());
    return true;
}

void HintWindow::PaintWindow(HDC dc, const PAINTSTRUCT&)
{
    GdiCanvas canvas(dc);
    canvas.font = font_;
    canvas.brush.color = color_;
    canvas.brush.style = BrushStyle::Clear;
    PaintTo(canvas);
    canvas.Detach();
}

void HintWindow::Paint()
{
    PaintText(2, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

void HintWindow::PaintText(int inset, unsigned format)
{
    Canvas& c = GetCanvas();
    Rect r = ClientRect();
    r.left += inset;
    r.top += inset;
    c.font.SetColor(clInfoText);
    c.TextRect(Text(), r, format);
}

std::unique_ptr<HintWindow> MakePlainHintWindow()
{
    return std::make_unique<HintWindow>();
}

} // namespace klarvo
