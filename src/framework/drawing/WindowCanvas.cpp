#include "framework/drawing/WindowCanvas.h"

#include <algorithm>
#include <vector>

namespace klarvo {

namespace {
std::vector<WindowCanvas*>& Holding()
{
    static std::vector<WindowCanvas*> list;
    return list;
}
} // namespace

WindowCanvas& ControlCanvas::Own(const Font& font)
{
    if (!own_) {
        own_ = std::make_unique<WindowCanvas>();
        own_->font = font;
    }
    return static_cast<WindowCanvas&>(*own_);
}

void ControlCanvas::FreeOwn()
{
    if (own_) {
        static_cast<WindowCanvas&>(*own_).Free();
    }
}

void WindowCanvas::Target(HWND hwnd, Rect area)
{
    if (hwnd != hwnd_ || !(area == area_)) {
        Free();
        hwnd_ = hwnd;
        area_ = area;
    }
}

void WindowCanvas::NeedDc()
{
    if (Attached() || !hwnd_) {
        return;
    }
    dc_ = GetDC(hwnd_);
    if (!dc_) {
        return;
    }
    SetViewportOrgEx(dc_, area_.left, area_.top, nullptr);
    IntersectClipRect(dc_, 0, 0, area_.Width(), area_.Height());
    Attach(dc_);
    Holding().push_back(this);
}

void WindowCanvas::Free()
{
    if (dc_) {
        Detach();
        SetViewportOrgEx(dc_, 0, 0, nullptr);
        SelectClipRgn(dc_, nullptr);
        ReleaseDC(hwnd_, dc_);
        dc_ = nullptr;
        auto& list = Holding();
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

void WindowCanvas::FreeAll()
{
    while (!Holding().empty()) {
        Holding().back()->Free();
    }
}

} // namespace klarvo
