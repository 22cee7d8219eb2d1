#include "framework/Form.h"

#include "framework/Application.h"

#include <algorithm>
#include <functional>

namespace klarvo {

Form::Form(Component* owner, const std::string& windowClass) : CustomControl(owner), windowClass_(windowClass)
{
    visible_ = false;
    bounds_ = Bounds(0, 0, 320, 240);
    font_.OnChange = nullptr;
    font_.SetName("MS Sans Serif");
    font_.SetHeight(11);
    font_.OnChange = [this] { FontChanged(); };
    if (!App().MainForm()) {
        App().SetMainForm(this);
    }
}

Form::~Form()
{
    if (OnDestroy) {
        OnDestroy(this);
    }
    // Children first, while the form is whole.
    DestroyChildren();
}

void Form::SetBorderIcons(bool systemMenu, bool minimize, bool maximize)
{
    sysMenu_ = systemMenu;
    minBox_ = minimize;
    maxBox_ = maximize;
}

void Form::CreateParams(WindowParams& p)
{
    CustomControl::CreateParams(p);
    p.className = windowClass_;
    p.parent = nullptr;
    switch (borderStyle_) {
    case BorderStyle::None:
        p.style = WS_POPUP;
        break;
    case BorderStyle::Single:
        p.style = WS_OVERLAPPED | WS_CAPTION;
        break;
    case BorderStyle::Sizeable:
        p.style = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
        break;
    case BorderStyle::Dialog:
        p.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
        p.exStyle |= WS_EX_DLGMODALFRAME;
        break;
    case BorderStyle::ToolWindow:
        p.style = WS_OVERLAPPED | WS_CAPTION;
        p.exStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    p.style |= WS_CLIPCHILDREN;
    if (sysMenu_) {
        p.style |= WS_SYSMENU;
    }
    if (minBox_) {
        p.style |= WS_MINIMIZEBOX;
    }
    if (maxBox_ && borderStyle_ == BorderStyle::Sizeable) {
        p.style |= WS_MAXIMIZEBOX;
    }
    p.caption = text_;
}

void Form::CreateWnd()
{
    CustomControl::CreateWnd();
    if (OnCreate) {
        OnCreate(this);
    }
}

void Form::VisibleChanged()
{
    // Centred when first shown, not when created: construction may still
    // change the size (the shell's window shrinks from its design height).
    if (visible_ && !shownOnce_) {
        shownOnce_ = true;
        Handle(); // OnCreate runs first and may resize
        if (position_ == FormPosition::ScreenCenter) {
            SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2,
                      Width(), Height());
        }
    }
    CustomControl::VisibleChanged();
}

void Form::SetActiveControl(WinControl* c)
{
    activeControl_ = c;
    if (c && HandleAllocated() && IsWindowVisible(hwnd_) && c->CanFocus()) {
        c->SetFocus();
    }
}

namespace {
// Every windowed control below root, in tab order.
void CollectTabStops(WinControl* root, std::vector<WinControl*>& out)
{
    for (WinControl* w : root->TabList()) {
        if (w->TabStop() && w->CanFocus()) {
            out.push_back(w);
        }
        CollectTabStops(w, out);
    }
}
} // namespace

void Form::SelectNext(bool forward)
{
    std::vector<WinControl*> stops;
    CollectTabStops(this, stops);
    if (stops.empty()) {
        return;
    }
    HWND focus = GetFocus();
    auto it = std::find_if(stops.begin(), stops.end(), [focus](WinControl* w) { return w->hwnd_ == focus; });
    std::size_t i = 0;
    if (it == stops.end()) {
        i = forward ? 0 : stops.size() - 1;
    } else {
        std::size_t cur = static_cast<std::size_t>(it - stops.begin());
        i = forward ? (cur + 1) % stops.size() : (cur + stops.size() - 1) % stops.size();
    }
    stops[i]->SetFocus();
}

bool Form::TurnPage(bool forward)
{
    std::function<bool(WinControl*)> offer = [&](WinControl* w) {
        for (WinControl* child : std::vector<WinControl*>(w->TabList())) {
            if (child->Visible() && (child->TurnPage(forward) || offer(child))) {
                return true;
            }
        }
        return false;
    };
    return offer(this);
}

bool Form::DispatchDialogChar(char ch)
{
    std::function<bool(WinControl*)> offer = [&](WinControl* w) {
        for (WinControl* child : std::vector<WinControl*>(w->TabList())) {
            if (child->Visible() && child->DialogChar(ch)) {
                return true;
            }
            if (offer(child)) {
                return true;
            }
        }
        return false;
    };
    return offer(this);
}

void Form::Close()
{
    if (App().MainForm() == this) {
        App().Terminate();
    }
    Hide();
}

LRESULT Form::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SHOWWINDOW:
        if (wParam && OnShow) {
            OnShow(this);
        }
        return CustomControl::WndProc(msg, wParam, lParam);
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && activeControl_ && activeControl_->HandleAllocated()) {
            ::SetFocus(activeControl_->Handle());
            return 0;
        }
        return CustomControl::WndProc(msg, wParam, lParam);
    default:
        return CustomControl::WndProc(msg, wParam, lParam);
    }
}

void Form::Paint()
{
    if (OnPaint) {
        OnPaint(this);
    }
}

} // namespace klarvo
