#pragma once

// Controls: a component with a parent, bounds, visibility, enabled state,
// caption text, colour, font, cursor, hint and the mouse events. Control is
// the common base; GraphicControl is a windowless control that its parent
// paints, in child order, and to which the parent routes mouse input;
// windowed controls are WinControl (WinControl.h).
//
// Event properties are std::function values; an unset event is skipped.
// The virtual handlers (MouseDown, Click, MouseEnter, ...) fire the events
// in their base implementation, so an override that calls the base first
// keeps the events.

#include "framework/drawing/Canvas.h"
#include "framework/drawing/Color.h"
#include "framework/window/Component.h"
#include "framework/drawing/Font.h"
#include "framework/drawing/Store.h"
#include "framework/drawing/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

struct HICON__;

namespace klarvo {

class WinControl;
class Form;
class GdiCanvas;

enum class MouseButton { Left, Right, Middle };

// Keys and buttons held during an event.
enum ShiftFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
using ShiftState = unsigned;

using NotifyEvent = std::function<void(Component* sender)>;
using MouseEvent = std::function<void(Component* sender, MouseButton button, ShiftState shift, int x, int y)>;
using MouseMoveEvent = std::function<void(Component* sender, ShiftState shift, int x, int y)>;
using KeyEvent = std::function<void(Component* sender, unsigned short& key, ShiftState shift)>;
using KeyPressEvent = std::function<void(Component* sender, char& key)>;

// Runs an event's handler when one is set: what the bases of the virtual
// handlers do.
template <typename Event, typename... Args> void FireEvent(const Event& event, Args&&... args)
{
    if (event) {
        event(std::forward<Args>(args)...);
    }
}

// Mouse cursors by the platform's IDC_ resource numbers.
constexpr int crDefault = 0;
constexpr int crArrow = 32512;
constexpr int crIBeam = 32513;
constexpr int crHandPoint = 32649;
// Windows 95 has no hand cursor: a program ships its own as a CURSOR
// resource of this name, shown where the system has none.
inline constexpr char kHandCursorResource[] = "HAND_POINT";
// The cursor shown for a cr... number: the system's, or for the hand the
// program's own where the system has none, or else the arrow.
HICON__* CursorHandle(int cursor);

class Control : public Component {
public:
    explicit Control(Component* owner);
    ~Control() override;

    // Parent: the control appears inside it, at the end of its child order.
    WinControl* Parent() const { return parent_; }
    virtual void SetParent(WinControl* parent);
    // The form this control is on: itself or its nearest parent that is a
    // form; null when there is none.
    Form* ParentForm();

    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    Rect BoundsRect() const { return bounds_; }
    // Position and size together, in the parent's client coordinates.
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    virtual Rect ClientRect() const { return Rect{0, 0, Width(), Height()}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible here and in every parent up to a top-level window.
    bool Showing() const;

    virtual bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    // The caption (windowless controls) or window text (windowed controls).
    virtual std::string Text() const { return text_; }
    virtual void SetText(const std::string& text);
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& text) { SetText(text); }

    Color GetColor() const { return color_; }
    virtual void SetColor(Color color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool v);

    // The control's font; its OnChange repaints the control (FontChanged)
    // unless an owner points it elsewhere.
    Font& GetFont() { return font_; }
    const Font& GetFont() const { return font_; }
    virtual void SetFont(const Font& font) { font_ = font; }
    // Whether the control follows its parent's font (true until the
    // control's own font is changed).
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v);
    // Copies the parent's font now (the parent calls it on its children
    // when its own font changes).
    void TakeParentFont();

    int Cursor() const { return cursor_; }
    void SetCursor(int cursor) { cursor_ = cursor; }

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v) { showHint_ = v; }

    int Tag() const { return tag_; }
    void SetTag(int v) { tag_ = v; }

    // Schedules a repaint of the control's area / repaints now.
    virtual void Invalidate();
    virtual void Repaint();
    void Update();

    // Coordinates between this control's client area and the screen.
    Point ClientToScreen(Point p) const;
    Point ScreenToClient(Point p) const;
    // This control's client origin in the given ancestor's client coordinates.
    Point OriginIn(const WinControl* ancestor) const;

    // The left mouse button was pressed on this control and is still down.
    bool Clicked() const { return clicked_; }
    // Fires OnClick.
    virtual void Click() { FireEvent(OnClick, this); }

    // Sends a framework message (CM_MOUSEENTER, CM_MOUSELEAVE, ...) to the control.
    virtual std::intptr_t Perform(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam);

    // Mouse handlers; the windowed message procedure or the parent's router
    // calls them in control coordinates. The bases fire the events.
    virtual void MouseDown(MouseButton button, ShiftState shift, int x, int y)
    {
        FireEvent(OnMouseDown, this, button, shift, x, y);
    }
    virtual void MouseUp(MouseButton button, ShiftState shift, int x, int y)
    {
        FireEvent(OnMouseUp, this, button, shift, x, y);
    }
    virtual void MouseMove(ShiftState shift, int x, int y) { FireEvent(OnMouseMove, this, shift, x, y); }
    virtual void DblClick() { FireEvent(OnDblClick, this); }
    // The pointer entered / left the control (CM_MOUSEENTER / CM_MOUSELEAVE).
    // The bases do nothing but fire OnMouseEnter / OnMouseLeave, so an
    // override that needs its own order fires the event itself.
    virtual void MouseEnter() { FireEvent(OnMouseEnter, this); }
    virtual void MouseLeave() { FireEvent(OnMouseLeave, this); }

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseMoveEvent OnMouseMove;
    NotifyEvent OnMouseEnter;
    NotifyEvent OnMouseLeave;
    NotifyEvent OnResize;

    // Low-level mouse entry points used by the routers (they keep the click
    // state and call the handlers above).
    void DispatchMouseDown(MouseButton button, ShiftState shift, int x, int y, bool dbl);
    void DispatchMouseUp(MouseButton button, ShiftState shift, int x, int y);

    // Whether a mouse press on the control captures the mouse until release.
    virtual bool CapturesMouse() const { return capturesMouse_; }

protected:
    virtual void FontChanged();
    virtual void TextChanged() {}
    virtual void EnabledChanged() { Invalidate(); }
    virtual void VisibleChanged() {}
    virtual void ColorChanged() { Invalidate(); }
    virtual void BoundsChanged() {}
    void SetCapturesMouse(bool v) { capturesMouse_ = v; }
    // The setter of a property that changes only how the control looks;
    // an enumerated one also names its first and last value.
    template <typename T, typename... Range> void StoreAndRepaint(T& field, const T& value, Range... range)
    {
        if (Store(field, value, range...)) {
            Invalidate();
        }
    }
    // Picks up the parent's colour and font where ParentColor / ParentFont.
    virtual void ParentChanged();

    Rect bounds_;
    WinControl* parent_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    Color color_ = clBtnFace;
    Font font_;

private:
    friend class WinControl;
    bool parentColor_ = false;
    bool parentFont_ = true;
    bool takingParentFont_ = false;
    int cursor_ = crDefault;
    std::string hint_;
    bool showHint_ = false;
    int tag_ = 0;
    bool clicked_ = false;
    bool capturesMouse_ = true;
};

// A windowless control: it has no window of its own; its parent paints it
// into the parent's window, in child order after the parent's own face,
// and routes the mouse to it.
class GraphicControl : public Control {
public:
    explicit GraphicControl(Component* owner);
    ~GraphicControl() override;

    // Draws the control on the canvas, whose origin is the control's top-left.
    void PaintTo(Canvas& canvas);
    // The canvas being painted on during Paint; outside painting, a canvas
    // on the parent's window at the control's place.
    Canvas& GetCanvas();

    void Invalidate() override;

protected:
    virtual void Paint() {}

private:
    ControlCanvas canvas_;
};

} // namespace klarvo
