#include "framework/window/Control.h"

#include "framework/window/Application.h"
#include "framework/window/Form.h"
#include "framework/window/Messages.h"
#include "framework/window/WinControl.h"
#include "framework/drawing/WindowCanvas.h"

#include <windows.h>

namespace klarvo {

HCURSOR CursorHandle(int cursor)
{
    if (cursor == crHandPoint) {
        // Shared cursors: loaded once, never destroyed.
        static const HCURSOR hand = [] {
            HCURSOR system = LoadCursorA(nullptr, MAKEINTRESOURCEA(crHandPoint));
            return system ? system : LoadCursorA(GetModuleHandleA(nullptr), kHandCursorResource);
        }();
        if (hand) {
            return hand;
        }
    }
    HCURSOR c = LoadCursorA(nullptr, MAKEINTRESOURCEA(cursor));
    return c ? c : LoadCursorA(nullptr, MAKEINTRESOURCEA(crArrow));
}

Control::Control(Component* owner) : Component(owner)
{
    font_.OnChange = [this] { FontChanged(); };
}

Control::~Control()
{
    App().ControlDestroyed(this);
    if (parent_) {
        parent_->RemoveControl(this);
        parent_ = nullptr;
    }
}

void Control::SetParent(WinControl* parent)
{
    if (parent == parent_) {
        return;
    }
    if (parent_) {
        parent_->Invalidate();
        parent_->RemoveControl(this);
    }
    parent_ = parent;
    if (parent_) {
        parent_->InsertControl(this);
    }
    ParentChanged();
}

Form* Control::ParentForm()
{
    for (Control* c = this; c; c = c->Parent()) {
        if (auto* form = dynamic_cast<Form*>(c)) {
            return form;
        }
    }
    return nullptr;
}

void Control::ParentChanged()
{
    if (!parent_) {
        return;
    }
    if (parentColor_) {
        color_ = parent_->GetColor();
    }
    if (parentFont_) {
        TakeParentFont();
    }
    Invalidate();
}

void Control::TakeParentFont()
{
    if (!parent_) {
        return;
    }
    // The font's own notification runs, so an owner that redirected it
    // hears of the change too; the control stays on its parent's font.
    takingParentFont_ = true;
    try {
        font_ = parent_->GetFont();
    } catch (...) {
        takingParentFont_ = false;
        throw;
    }
    takingParentFont_ = false;
    parentFont_ = true;
}

void Control::SetBounds(int left, int top, int width, int height)
{
    Rect r = Bounds(left, top, width, height);
    if (r == bounds_) {
        return;
    }
    Invalidate();
    bounds_ = r;
    BoundsChanged();
    Invalidate();
    FireEvent(OnResize, this);
}

void Control::SetVisible(bool visible)
{
    if (visible == visible_) {
        return;
    }
    if (!visible) {
        Invalidate();
    }
    visible_ = visible;
    VisibleChanged();
    Invalidate();
}

bool Control::Showing() const
{
    if (!visible_) {
        return false;
    }
    if (parent_) {
        return parent_->Showing();
    }
    auto* self = dynamic_cast<const WinControl*>(this);
    return self && self->HandleAllocated() && IsWindowVisible(const_cast<WinControl*>(self)->Handle());
}

void Control::SetEnabled(bool enabled)
{
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    EnabledChanged();
}

void Control::SetText(const std::string& text)
{
    if (text == text_) {
        return;
    }
    text_ = text;
    TextChanged();
    Invalidate();
}

void Control::SetColor(Color color)
{
    parentColor_ = false;
    if (color == color_) {
        return;
    }
    color_ = color;
    ColorChanged();
}

void Control::SetParentColor(bool v)
{
    parentColor_ = v;
    if (v && parent_) {
        color_ = parent_->GetColor();
        ColorChanged();
    }
}

void Control::SetParentFont(bool v)
{
    parentFont_ = v;
    if (v) {
        TakeParentFont();
    }
}

void Control::FontChanged()
{
    if (!takingParentFont_) {
        parentFont_ = false;
    }
    Invalidate();
}

void Control::Invalidate() {}

void Control::Repaint()
{
    Invalidate();
    Update();
}

void Control::Update()
{
    for (Control* c = this; c; c = c->parent_) {
        if (auto* w = dynamic_cast<WinControl*>(c); w && w->HandleAllocated()) {
            UpdateWindow(w->Handle());
            return;
        }
    }
}

Point Control::OriginIn(const WinControl* ancestor) const
{
    Point p;
    const Control* c = this;
    while (c && c != ancestor) {
        p.x += c->Left();
        p.y += c->Top();
        c = c->parent_;
    }
    return p;
}

Point Control::ClientToScreen(Point p) const
{
    if (auto* w = dynamic_cast<const WinControl*>(this)) {
        POINT pt{p.x, p.y};
        ::ClientToScreen(const_cast<WinControl*>(w)->Handle(), &pt);
        return Point{pt.x, pt.y};
    }
    if (!parent_) {
        return p;
    }
    return parent_->ClientToScreen(Point{p.x + Left(), p.y + Top()});
}

Point Control::ScreenToClient(Point p) const
{
    Point origin = ClientToScreen(Point{0, 0});
    return Point{p.x - origin.x, p.y - origin.y};
}

std::intptr_t Control::Perform(unsigned msg, std::uintptr_t, std::intptr_t)
{
    switch (msg) {
    case CM_MOUSEENTER:
        MouseEnter();
        return 0;
    case CM_MOUSELEAVE:
        MouseLeave();
        return 0;
    case CM_TEXTCHANGED:
        TextChanged();
        return 0;
    case CM_ENABLEDCHANGED:
        EnabledChanged();
        return 0;
    case CM_FONTCHANGED:
        FontChanged();
        return 0;
    case CM_VISIBLECHANGED:
        VisibleChanged();
        return 0;
    default:
        return 0;
    }
}

void Control::DispatchMouseDown(MouseButton button, ShiftState shift, int x, int y, bool dbl)
{
    if (CapturesMouse()) {
        App().SetCaptureControl(this);
    }
    if (dbl) {
        if (button == MouseButton::Left) {
            DblClick();
        }
        shift |= ssDouble;
    } else if (button == MouseButton::Left) {
        clicked_ = true;
    }
    MouseDown(button, shift, x, y);
}

void Control::DispatchMouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    if (App().CaptureControl() == this) {
        App().SetCaptureControl(nullptr);
    }
    if (button == MouseButton::Left && clicked_) {
        clicked_ = false;
        // A release over the control is a click, delivered before the
        // mouse-up of the same release.
        if (ClientRect().Contains(Point{x, y})) {
            Click();
        }
    }
    MouseUp(button, shift, x, y);
}

// ---- windowless controls ---------------------------------------------------

GraphicControl::GraphicControl(Component* owner) : Control(owner) {}

GraphicControl::~GraphicControl() = default;

void GraphicControl::PaintTo(Canvas& canvas)
{
    canvas_.PaintOn(canvas, [this] { Paint(); });
}

Canvas& GraphicControl::GetCanvas()
{
    if (Canvas* painting = canvas_.Painting()) {
        return *painting;
    }
    WindowCanvas& own = canvas_.Own(font_);
    HWND hwnd = nullptr;
    Point origin;
    for (const Control* c = this; c; c = c->Parent()) {
        if (auto* w = dynamic_cast<const WinControl*>(c); w && w->HandleAllocated()) {
            hwnd = const_cast<WinControl*>(w)->Handle();
            origin = OriginIn(w);
            break;
        }
    }
    own.Target(hwnd, Bounds(origin.x, origin.y, Width(), Height()));
    return own;
}

void GraphicControl::Invalidate()
{
    if (!parent_ || !parent_->HandleAllocated()) {
        return;
    }
    RECT r{bounds_.left, bounds_.top, bounds_.right, bounds_.bottom};
    InvalidateRect(parent_->Handle(), &r, TRUE);
}

} // namespace klarvo
