#include "framework/window/Form.h"

#include "framework/window/Application.h"

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
// Every windowed control below root, in tab order, a parent before its children.
void CollectTabOrder(WinControl* root, std::vector<WinControl*>& out)
{
    for (WinControl* w : root->TabList()) {
        out.push_back(w);
        CollectTabOrder(w, out);
    }
}

bool IsFocusableStop(const WinControl* w)
{
    return w->TabStop() && w->CanFocus();
}

// The control of ours that holds the focus: a platform window inside one of
// our controls (a browse button) counts as that control.
WinControl* FocusedControl()
{
    for (HWND h = GetFocus(); h; h = GetParent(h)) {
        if (WinControl* c = WinControl::FromHandle(h)) {
            return c;
        }
    }
    return nullptr;
}
} // namespace

void Form::SelectNext(bool forward)
{
    WinControl* focused = FocusedControl();
    SelectNextFrom(focused == this ? nullptr : focused, forward);
}

void Form::SelectNextFrom(WinControl* from, bool forward)
{
    std::vector<WinControl*> order;
    CollectTabOrder(this, order);
    const std::size_t n = order.size();
    const auto found = std::find(order.begin(), order.end(), from);
    // The ring has one place more than controls, where a search without a
    // starting point begins: it meets the first (or last) stop first.
    std::size_t at = found == order.end() ? n : static_cast<std::size_t>(found - order.begin());
    for (std::size_t step = 0; step < n; ++step) {
        at = forward ? (at + 1) % (n + 1) : (at + n) % (n + 1);
        if (at < n && IsFocusableStop(order[at])) {
            order[at]->SetFocus();
            return;
        }
    }
}

bool Form::FocusFirstIn(WinControl* root)
{
    std::vector<WinControl*> order;
    CollectTabOrder(root, order);
    const auto first = std::find_if(order.begin(), order.end(), IsFocusableStop);
    if (first == order.end()) {
        return false;
    }
    (*first)->SetFocus();
    return true;
}

void Form::NoteKeyboardNavigation()
{
    if (keyboardCues_) {
        return;
    }
    keyboardCues_ = true;
    if (OnKeyboardCues) {
        OnKeyboardCues(this);
    }
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
    if (OnShortcut) {
        char key = ch;
        OnShortcut(this, key);
        if (key == 0) {
            return true;
        }
    }
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
