#include "framework/window/WinControl.h"

#include "framework/window/Application.h"
#include "framework/window/CommonControls.h"
#include "framework/window/Form.h"
#include "framework/window/Messages.h"
#include "framework/drawing/WindowCanvas.h"
#include "framework/window/WindowClasses.h"
#include "win/Error.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <map>

namespace klarvo {

static_assert(CN_COMMAND == CN_BASE + WM_COMMAND && CN_NOTIFY == CN_BASE + WM_NOTIFY);
static_assert(CN_HSCROLL == CN_BASE + WM_HSCROLL && CN_VSCROLL == CN_BASE + WM_VSCROLL);
static_assert(CN_CTLCOLOREDIT == CN_BASE + WM_CTLCOLOREDIT && CN_CTLCOLORSTATIC == CN_BASE + WM_CTLCOLORSTATIC);

namespace {

ShiftState KeyShift()
{
    ShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        s |= ssShift;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        s |= ssCtrl;
    }
    if (GetKeyState(VK_MENU) < 0) {
        s |= ssAlt;
    }
    return s;
}

// The notifications a parent window receives about a child.
bool IsChildNotification(UINT msg)
{
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return true;
    default:
        return false;
    }
}

} // namespace

// The control's side of the shared window procedure (KlarvoWindowProc).
LRESULT WinControl::Port::OnMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return control_.WndProc(msg, wParam, lParam);
}

void WinControl::Port::OnFailure()
{
    try {
        throw;
    } catch (const std::exception& e) {
        App().HandleException(e);
    } catch (...) {
        App().HandleUnknownException();
    }
}

void WinControl::Port::OnAttach(HWND hwnd)
{
    control_.hwnd_ = hwnd;
}

void WinControl::Port::OnDetach(HWND hwnd)
{
    if (control_.hwnd_ == hwnd) {
        control_.hwnd_ = nullptr;
    }
}

// Another program's window may hold anything in its window bytes: a window
// is ours only when it is of this process and its class has our procedure.
WinControl* WinControl::FromHandle(HWND hwnd)
{
    auto* port = static_cast<Port*>(MessageWindow::Attached(hwnd, KlarvoWindowProc));
    return port ? &port->control_ : nullptr;
}

WinControl::WinControl(Component* owner) : Control(owner) {}

WinControl::~WinControl()
{
    DestroyChildren();
}

void WinControl::DestroyChildren()
{
    // Children parented here go first, while this object is whole: those we
    // own are freed, the others only leave (their owner frees them).
    while (!controls_.empty()) {
        Control* c = controls_.back();
        if (c->Owner() == this) {
            delete c;
        } else {
            c->SetParent(nullptr); // its owner frees it
        }
    }
    DestroyHandle();
    DestroyComponents();
}

void WinControl::InsertControl(Control* c)
{
    controls_.push_back(c);
    if (auto* w = dynamic_cast<WinControl*>(c)) {
        tabList_.push_back(w);
    }
}

void WinControl::RemoveControl(Control* c)
{
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), c), tabList_.end());
}

Control* WinControl::ControlAtPos(Point p, bool allowWindowed) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* c = *it;
        if (!c->Visible() || !c->BoundsRect().Contains(p)) {
            continue;
        }
        if (!allowWindowed && dynamic_cast<WinControl*>(c)) {
            continue;
        }
        return c;
    }
    return nullptr;
}

int WinControl::TabOrder() const
{
    if (!parent_) {
        return -1;
    }
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void WinControl::SetTabOrder(int order)
{
    if (!parent_) {
        return;
    }
    auto& list = parent_->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

bool WinControl::Focused() const
{
    return hwnd_ && GetFocus() == hwnd_;
}

bool WinControl::ContainsFocus() const
{
    const HWND focus = GetFocus();
    return hwnd_ && focus && (focus == hwnd_ || IsChild(hwnd_, focus));
}

void WinControl::HandFocusOn()
{
    if (Form* form = ParentForm(); form && form != this) {
        form->SelectNextFrom(this, true);
    }
}

bool WinControl::CanFocus() const
{
    for (const Control* c = this; c; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) {
            return false;
        }
    }
    return true;
}

void WinControl::SetFocus()
{
    if (HWND h = Handle()) {
        ::SetFocus(h);
    }
}

HBRUSH WinControl::ColorBrush()
{
    // Asked for on every paint of a standard control: the brush is made
    // again only when the colour it stands for changed.
    const COLORREF rgb = ColorToRGB(color_);
    if (!colorBrush_ || colorBrushRgb_ != rgb) {
        colorBrush_.Reset(CreateSolidBrush(rgb));
        colorBrushRgb_ = rgb;
    }
    return colorBrush_.Get();
}

void WinControl::SetBounds(int left, int top, int width, int height)
{
    Rect r = Bounds(left, top, width, height);
    if (r == bounds_) {
        return;
    }
    bool resized = r.Width() != bounds_.Width() || r.Height() != bounds_.Height();
    bounds_ = r;
    if (hwnd_) {
        SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        BoundsChanged();
        if (resized) {
            Resize();
        }
    }
}

void WinControl::BoundsChanged() {}

void WinControl::SetVisible(bool visible)
{
    if (visible == visible_) {
        return;
    }
    visible_ = visible;
    VisibleChanged();
}

void WinControl::VisibleChanged()
{
    if (!hwnd_) {
        if (!visible_ || (parent_ && !parent_->HandleAllocated())) {
            return;
        }
        Handle();
        if (parent_) {
            return; // made with WS_VISIBLE
        }
    }
    if (!visible_ && App().MouseControl() == this) {
        App().SetMouseControl(nullptr, POINT{});
    }
    const bool losesFocus = !visible_ && ContainsFocus();
    ShowWindow(hwnd_, visible_ ? (parent_ ? SW_SHOW : SW_SHOWNORMAL) : SW_HIDE);
    if (losesFocus) {
        HandFocusOn();
    }
}

void WinControl::SetEnabled(bool enabled)
{
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    const bool losesFocus = !enabled && ContainsFocus();
    if (hwnd_) {
        EnableWindow(hwnd_, enabled);
    }
    EnabledChanged();
    if (losesFocus) {
        HandFocusOn();
    }
}

std::string WinControl::Text() const
{
    if (!hwnd_) {
        return text_;
    }
    int n = GetWindowTextLengthA(hwnd_);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    n = GetWindowTextA(hwnd_, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(std::max(n, 0)));
    return s;
}

void WinControl::SetText(const std::string& text)
{
    if (Text() == text) {
        return;
    }
    text_ = text;
    if (hwnd_) {
        // WM_SETTEXT reaches TextChanged through WndProc.
        SendMessageA(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    } else {
        TextChanged();
    }
}

Rect WinControl::ClientRect() const
{
    if (!hwnd_) {
        return Rect{0, 0, Width(), Height()};
    }
    RECT r{};
    GetClientRect(hwnd_, &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

void WinControl::Invalidate()
{
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void WinControl::Repaint()
{
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
    }
}

void WinControl::ParentChanged()
{
    Control::ParentChanged();
    if (hwnd_) {
        DestroyHandle();
    }
    if (parent_ && parent_->HandleAllocated()) {
        Handle();
    }
}

void WinControl::FontChanged()
{
    Control::FontChanged();
    if (platformProc_) {
        ApplyFontToWindow();
    }
    for (Control* c : std::vector<Control*>(controls_)) {
        if (c->ParentFont()) {
            c->TakeParentFont();
        }
    }
}

std::intptr_t WinControl::Perform(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    return WndProc(msg, wParam, lParam);
}

bool WinControl::IsAccel(char ch, const std::string& caption)
{
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            continue;
        }
        if (i + 1 >= caption.size()) {
            return false;
        }
        char next = caption[i + 1];
        if (next == '&') {
            ++i; // a literal ampersand
            continue;
        }
        return CharUpperA(reinterpret_cast<LPSTR>(static_cast<std::uintptr_t>(static_cast<unsigned char>(next)))) ==
               CharUpperA(reinterpret_cast<LPSTR>(static_cast<std::uintptr_t>(static_cast<unsigned char>(ch))));
    }
    return false;
}

void WinControl::PaintWindow(HDC, const PAINTSTRUCT&) {}

bool WinControl::EraseBackground(HDC dc)
{
    if (platformProc_) {
        return DefaultHandler(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
    }
    RECT r{};
    GetClientRect(hwnd_, &r);
    GdiObject<HBRUSH> b(CreateSolidBrush(ColorToRGB(color_)));
    FillRect(dc, &r, b.Get());
    return true;
}

bool WinControl::DialogChar(char)
{
    return false;
}

LRESULT WinControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!hwnd_) {
        return 0;
    }
    if (platformProc_) {
        return CallWindowProcA(platformProc_, hwnd_, msg, wParam, lParam);
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT WinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(msg, wParam, lParam);
}

LRESULT WinControl::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Moves, presses, releases and double clicks of the three buttons.
    if (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) {
        return WmMouse(msg, wParam, lParam);
    }
    if (IsChildNotification(msg)) {
        return ReflectToChild(msg, wParam, lParam);
    }
    switch (msg) {
    case WM_PAINT:
        return WmPaint(wParam, lParam);
    case WM_ERASEBKGND:
        return EraseBackground(reinterpret_cast<HDC>(wParam)) ? 1 : 0;
    case WM_MOUSELEAVE:
        return WmMouseLeave(wParam, lParam);
    case WM_TIMER:
        return LeaveTimerFired(hwnd_, wParam) ? 0 : DefaultHandler(msg, wParam, lParam);
    case WM_CAPTURECHANGED:
        return WmCaptureChanged(wParam, lParam);
    case WM_SETCURSOR:
        return WmSetCursor(wParam, lParam);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return WmKeyDown(msg, wParam, lParam);
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return WmKeyUp(msg, wParam, lParam);
    case WM_CHAR:
        return WmChar(wParam, lParam);
    case WM_SYSCHAR:
        return WmSysChar(wParam, lParam);
    case WM_GETDLGCODE:
        return platformProc_ ? DefaultHandler(msg, wParam, lParam) : DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
        return WmSetFocus(wParam, lParam);
    case WM_KILLFOCUS:
        return WmKillFocus(wParam, lParam);
    case WM_SETTEXT:
        return WmSetText(wParam, lParam);
    case WM_WINDOWPOSCHANGED:
        return WmWindowPosChanged(wParam, lParam);
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
        return CnCtlColor(reinterpret_cast<HDC>(wParam));
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_VISIBLECHANGED:
        return Control::Perform(msg, wParam, lParam);
    case CM_DIALOGCHAR:
        return DialogChar(static_cast<char>(wParam)) ? 1 : 0;
    default:
        // A reflected notification nobody took is answered here: the
        // platform does not know these numbers.
        return msg >= CN_BASE && msg < CN_BASE + 0x400 ? 0 : DefaultHandler(msg, wParam, lParam);
    }
}

LRESULT WinControl::WmPaint(WPARAM wParam, LPARAM lParam)
{
    if (platformProc_) {
        return DefaultHandler(WM_PAINT, wParam, lParam);
    }
    // A DC in wParam is a paint asked for by code: the whole client area.
    PAINTSTRUCT ps{};
    HDC dc = wParam ? reinterpret_cast<HDC>(wParam) : BeginPaint(hwnd_, &ps);
    if (wParam) {
        GetClientRect(hwnd_, &ps.rcPaint);
        ps.hdc = dc;
    }
    PaintWindow(dc, ps);
    PaintControls(dc);
    if (!wParam) {
        EndPaint(hwnd_, &ps);
    }
    return 0;
}

namespace {

// The keys with which a person moves about a window; after the first of
// them the form shows where the focus is.
bool IsNavigationKey(unsigned short key)
{
    return key == VK_TAB || key == VK_MENU || (key >= VK_LEFT && key <= VK_DOWN);
}

// Without a focused window the keys go to the active window as system keys,
// whether Alt is held or not; bit 29 tells which.
bool IsTabKeyDown(UINT msg, unsigned short key, LPARAM lParam)
{
    constexpr LPARAM kAltHeld = 1 << 29;
    return key == VK_TAB && (msg == WM_KEYDOWN || (msg == WM_SYSKEYDOWN && !(lParam & kAltHeld)));
}

} // namespace

LRESULT WinControl::WmKeyDown(UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto key = static_cast<unsigned short>(wParam);
    Form* form = ParentForm();
    if (form && IsNavigationKey(key)) {
        form->NoteKeyboardNavigation();
    }
    KeyDown(key, KeyShift());
    if (key == 0) {
        return 0;
    }
    if (IsTabKeyDown(msg, key, lParam)) {
        const bool forward = GetKeyState(VK_SHIFT) >= 0;
        if (GetKeyState(VK_CONTROL) < 0) {
            for (WinControl* c = this; c; c = c->Parent()) {
                if (c->TurnPage(forward)) {
                    return 0;
                }
            }
        } else if (form) {
            form->SelectNext(forward);
            return 0;
        }
    }
    return DefaultHandler(msg, key, lParam);
}

LRESULT WinControl::WmKeyUp(UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto key = static_cast<unsigned short>(wParam);
    KeyUp(key, KeyShift());
    if (key == 0) {
        return 0;
    }
    return DefaultHandler(msg, key, lParam);
}

LRESULT WinControl::WmChar(WPARAM wParam, LPARAM lParam)
{
    auto ch = static_cast<char>(wParam);
    // Buttons let the form's accelerators have the character first.
    if (Form* form = ParentForm(); !WantsChars() && form && form->DispatchDialogChar(ch)) {
        return 0;
    }
    KeyPress(ch);
    if (ch == 0) {
        return 0;
    }
    return DefaultHandler(WM_CHAR, static_cast<unsigned char>(ch), lParam);
}

LRESULT WinControl::WmSysChar(WPARAM wParam, LPARAM lParam)
{
    if (Form* form = ParentForm(); form && form->DispatchDialogChar(static_cast<char>(wParam))) {
        return 0;
    }
    return DefaultHandler(WM_SYSCHAR, wParam, lParam);
}

LRESULT WinControl::WmSetFocus(WPARAM wParam, LPARAM lParam)
{
    LRESULT r = DefaultHandler(WM_SETFOCUS, wParam, lParam);
    // A form gaining the focus itself is no control of its own.
    if (Form* form = parent_ ? parent_->ParentForm() : nullptr) {
        form->activeControl_ = this;
    }
    DoEnter();
    return r;
}

LRESULT WinControl::WmKillFocus(WPARAM wParam, LPARAM lParam)
{
    LRESULT r = DefaultHandler(WM_KILLFOCUS, wParam, lParam);
    DoExit();
    return r;
}

LRESULT WinControl::WmSetText(WPARAM wParam, LPARAM lParam)
{
    LRESULT r = DefaultHandler(WM_SETTEXT, wParam, lParam);
    text_ = lParam ? reinterpret_cast<const char*>(lParam) : "";
    TextChanged();
    if (!platformProc_) {
        Invalidate();
    }
    return r;
}

LRESULT WinControl::WmWindowPosChanged(WPARAM wParam, LPARAM lParam)
{
    LRESULT r = DefaultHandler(WM_WINDOWPOSCHANGED, wParam, lParam);
    auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
    if ((wp->flags & SWP_NOMOVE) && (wp->flags & SWP_NOSIZE)) {
        return r;
    }
    RECT wr{};
    GetWindowRect(hwnd_, &wr);
    POINT tl{wr.left, wr.top};
    if (HWND ph = GetParent(hwnd_); ph && (GetWindowLongA(hwnd_, GWL_STYLE) & WS_CHILD)) {
        ::ScreenToClient(ph, &tl);
    }
    Rect nb = Bounds(tl.x, tl.y, wr.right - wr.left, wr.bottom - wr.top);
    bool resized = nb.Width() != bounds_.Width() || nb.Height() != bounds_.Height();
    bounds_ = nb;
    BoundsChanged();
    if (resized || !(wp->flags & SWP_NOSIZE)) {
        Resize();
    }
    return r;
}

LRESULT WinControl::ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The platform tells the parent what happened to a child (an edit's
    // change, an up-down's arrow, the colours of an edit); the child's own
    // object handles it as CN_BASE + msg. A notification's block lives in
    // the sender's memory and our children send theirs from this thread: one
    // sent from another thread, as any from another process, is not read.
    if (msg == WM_NOTIFY && (InSendMessage() || !lParam)) {
        return 0;
    }
    HWND child = msg == WM_NOTIFY ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : reinterpret_cast<HWND>(lParam);
    if (WinControl* c = FromHandle(child); c && c != this) {
        return c->WndProc(CN_BASE + msg, wParam, lParam);
    }
    return DefaultHandler(msg, wParam, lParam);
}

LRESULT WinControl::CnCtlColor(HDC dc)
{
    SetTextColor(dc, ColorToRGB(font_.GetColor()));
    SetBkColor(dc, ColorToRGB(color_));
    return reinterpret_cast<LRESULT>(ColorBrush());
}

} // namespace klarvo
