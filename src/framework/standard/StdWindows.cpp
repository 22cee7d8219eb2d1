#include "framework/standard/StdWindows.h"

#include "framework/window/Application.h"
#include "framework/window/CommonControls.h"
#include "framework/window/Form.h"
#include "framework/window/Messages.h"
#include "framework/standard/PictureDialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

namespace klarvo {

// ---- Edit ------------------------------------------------------------------

Edit::Edit(Component* owner) : WinControl(owner)
{
    bounds_ = Bounds(0, 0, 121, 21);
    color_ = clWindow;
    SetTabStop(true);
    SetCursor(crIBeam);
}

void Edit::CreateParams(WindowParams& p)
{
    WinControl::CreateParams(p);
    p.platformClass = "EDIT";
    p.style |= ES_AUTOHSCROLL | WS_BORDER;
    if (multiLine_) {
        p.style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        p.style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    }
    if (readOnly_) {
        p.style |= ES_READONLY;
    }
    p.exStyle |= WS_EX_CLIENTEDGE;
    p.style &= ~static_cast<DWORD>(WS_BORDER);
}

void Edit::CreateWnd()
{
    WinControl::CreateWnd();
    if (maxLength_ > 0) {
        SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    }
}

void Edit::SetReadOnly(bool v)
{
    readOnly_ = v;
    if (hwnd_) {
        SendMessageA(hwnd_, EM_SETREADONLY, v, 0);
    }
}

void Edit::SetMaxLength(int v)
{
    maxLength_ = std::max(v, 0);
    if (hwnd_) {
        SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    }
}

void Edit::SelectAll()
{
    SetSel(0, -1);
}

void Edit::SetSel(int start, int length)
{
    if (HWND h = Handle()) {
        SendMessageA(h, EM_SETSEL, static_cast<WPARAM>(start), length < 0 ? -1 : start + length);
    }
}

int Edit::SelStart() const
{
    DWORD s = 0, e = 0;
    if (hwnd_) {
        SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    }
    return static_cast<int>(s);
}

int Edit::SelLength() const
{
    DWORD s = 0, e = 0;
    if (hwnd_) {
        SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    }
    return static_cast<int>(e - s);
}

void Edit::DoEnter()
{
    if (autoSelect_ && !multiLine_) {
        SelectAll();
    }
    WinControl::DoEnter();
}

void Edit::KeyDown(unsigned short& key, ShiftState shift)
{
    WinControl::KeyDown(key, shift);
    if ((key == VK_UP || key == VK_DOWN) && stepper_ && stepper_->Enabled()) {
        stepper_->Step(key == VK_UP ? 1 : -1);
        key = 0;
    }
}

void Edit::Change()
{
    if (OnChange) {
        OnChange(this);
    }
}

LRESULT Edit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == CN_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        text_ = Text();
        Change();
        return 0;
    }
    if (msg == WM_SETTEXT && !hwnd_) {
        return 0;
    }
    return WinControl::WndProc(msg, wParam, lParam);
}

Memo::Memo(Component* owner) : Edit(owner)
{
    multiLine_ = true;
    bounds_ = Bounds(0, 0, 185, 89);
}

std::vector<std::string> Memo::Lines() const
{
    std::vector<std::string> lines;
    std::string t = Text();
    std::string cur;
    for (std::size_t i = 0; i < t.size(); ++i) {
        char c = t[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < t.size() && t[i + 1] == '\n') {
                ++i;
            }
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) {
        lines.push_back(cur);
    }
    return lines;
}

void Memo::SetLines(const std::vector<std::string>& lines)
{
    std::string t;
    for (const std::string& l : lines) {
        t += l;
        t += "\r\n";
    }
    SetText(t);
}

// ---- UpDown ----------------------------------------------------------------

UpDown::UpDown(Component* owner) : WinControl(owner)
{
    bounds_ = Bounds(0, 0, 15, 21);
}

UpDown::~UpDown()
{
    SetAssociate(nullptr);
}

void UpDown::CreateParams(WindowParams& p)
{
    WinControl::CreateParams(p);
    p.platformClass = UPDOWN_CLASSA;
    p.style |= UDS_ALIGNRIGHT | UDS_ARROWKEYS;
    if (wrap_) {
        p.style |= UDS_WRAP;
    }
}

void UpDown::CreateWnd()
{
    WinControl::CreateWnd();
    SetUpDownRange(hwnd_, min_, max_);
    SendMessageA(hwnd_, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(position_), 0));
    UDACCEL accel{0, static_cast<UINT>(increment_)};
    SendMessageA(hwnd_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    if (associate_ && associate_->Handle()) {
        // The buddy is written by us (WriteBuddy), not by the platform, so
        // the edit's own change handling sees every position.
        WriteBuddy();
    }
}

void UpDown::SetMin(int v)
{
    min_ = v;
    if (position_ < min_) {
        position_ = min_;
    }
    if (hwnd_) {
        SetUpDownRange(hwnd_, min_, max_);
        SendMessageA(hwnd_, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(position_), 0));
    }
}

void UpDown::SetMax(int v)
{
    max_ = v;
    if (position_ > max_) {
        position_ = max_;
        WriteBuddy();
    }
    if (hwnd_) {
        SetUpDownRange(hwnd_, min_, max_);
        SendMessageA(hwnd_, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(position_), 0));
    }
}

int UpDown::Position() const
{
    return position_;
}

void UpDown::SetPosition(int v)
{
    v = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
    position_ = v;
    if (hwnd_) {
        SendMessageA(hwnd_, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(v), 0));
    }
    WriteBuddy();
}

void UpDown::SetIncrement(int v)
{
    increment_ = v;
    if (hwnd_) {
        UDACCEL accel{0, static_cast<UINT>(increment_)};
        SendMessageA(hwnd_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
}

void UpDown::SetWrap(bool v)
{
    if (Store(wrap_, v)) {
        RecreateHandle();
    }
}

void UpDown::SetAssociate(WinControl* edit)
{
    if (auto* old = dynamic_cast<Edit*>(associate_); old && old->stepper_ == this) {
        old->stepper_ = nullptr;
    }
    associate_ = edit;
    if (auto* field = dynamic_cast<Edit*>(edit)) {
        field->stepper_ = this;
    }
    if (edit) {
        // Sits at the right edge of the edit, as tall as it.
        SetBounds(edit->Left() + edit->Width(), edit->Top(), Width(), edit->Height());
        WriteBuddy();
    }
}

void UpDown::WriteBuddy()
{
    if (associate_) {
        associate_->SetText(std::to_string(position_));
    }
}

int UpDown::InRange(int next) const
{
    const int lo = std::min(min_, max_), hi = std::max(min_, max_);
    if (next > hi) {
        return wrap_ ? lo : hi;
    }
    if (next < lo) {
        return wrap_ ? hi : lo;
    }
    return next;
}

void UpDown::Step(int direction)
{
    const int next = InRange(position_ + direction * increment_);
    if (hwnd_) {
        SendMessageA(hwnd_, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(next), 0));
    }
    ArrowClicked(next);
}

void UpDown::ArrowClicked(int newPos)
{
    position_ = newPos;
    WriteBuddy();
    if (OnClick) {
        OnClick(this);
    }
}

LRESULT UpDown::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == CN_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code == UDN_DELTAPOS) {
            auto* ud = reinterpret_cast<NMUPDOWN*>(lParam);
            // A press on an arrow at the end of the range changes nothing
            // but is still a click.
            ArrowClicked(InRange(ud->iPos + ud->iDelta));
        }
        return 0;
    }
    if (msg == CN_VSCROLL || msg == CN_HSCROLL) {
        return 0;
    }
    return WinControl::WndProc(msg, wParam, lParam);
}

// ---- ProgressBar -----------------------------------------------------------

ProgressBar::ProgressBar(Component* owner) : WinControl(owner)
{
    bounds_ = Bounds(0, 0, 150, 16);
}

void ProgressBar::CreateParams(WindowParams& p)
{
    WinControl::CreateParams(p);
    p.platformClass = PROGRESS_CLASSA;
    if (smooth_) {
        p.style |= PBS_SMOOTH;
    }
}

void ProgressBar::CreateWnd()
{
    WinControl::CreateWnd();
    SetProgressRange(hwnd_, min_, max_);
    SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void ProgressBar::SetRange(int min, int max)
{
    min_ = min;
    max_ = max;
    position_ = std::clamp(position_, std::min(min_, max_), std::max(min_, max_));
    if (hwnd_) {
        SetProgressRange(hwnd_, min_, max_);
        SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
    }
}

void ProgressBar::SetPosition(int v)
{
    position_ = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
    if (hwnd_) {
        SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
    }
}

void ProgressBar::SetSmooth(bool v)
{
    if (Store(smooth_, v)) {
        RecreateHandle();
    }
}

// ---- Panel -----------------------------------------------------------------

Panel::Panel(Component* owner) : CustomControl(owner)
{
    bounds_ = Bounds(0, 0, 185, 41);
}

void Panel::CreateParams(WindowParams& p)
{
    CustomControl::CreateParams(p);
    if (borderSingle_) {
        p.style |= WS_BORDER;
    }
}

void Panel::SetBorderSingle(bool v)
{
    if (Store(borderSingle_, v)) {
        RecreateHandle();
    }
}

void Panel::Paint()
{
    Canvas& c = GetCanvas();
    Rect r = ClientRect();
    c.brush.color = color_;
    c.brush.style = BrushStyle::Solid;
    c.FillRect(r);
    auto bevel = [&](PanelBevel b) {
        if (b == PanelBevel::None) {
            return;
        }
        bool raised = b == PanelBevel::Raised;
        c.Frame3D(r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, 1);
    };
    bevel(outer_);
    if (borderWidth_ > 0) {
        r.left += borderWidth_;
        r.top += borderWidth_;
        r.right -= borderWidth_;
        r.bottom -= borderWidth_;
    }
    bevel(inner_);
    if (!Text().empty()) {
        c.font = font_;
        c.brush.style = BrushStyle::Clear;
        Rect t = ClientRect();
        c.TextRect(Text(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// ---- pages -----------------------------------------------------------------

TabSheet::TabSheet(Component* owner) : CustomControl(owner)
{
    visible_ = false;
}

TabSheet::~TabSheet()
{
    if (pageControl_) {
        pageControl_->RemovePage(this);
    }
}

void TabSheet::SetPageControl(PageControl* pc)
{
    if (pc == pageControl_) {
        return;
    }
    if (pageControl_) {
        pageControl_->RemovePage(this);
    }
    pageControl_ = pc;
    if (pc) {
        pc->AddPage(this);
    }
}

int TabSheet::PageIndex() const
{
    if (!pageControl_) {
        return -1;
    }
    for (int i = 0; i < pageControl_->PageCount(); ++i) {
        if (pageControl_->Pages(i) == this) {
            return i;
        }
    }
    return -1;
}

PageControl::PageControl(Component* owner) : WinControl(owner)
{
    bounds_ = Bounds(0, 0, 289, 193);
    SetTabStop(true);
}

PageControl::~PageControl()
{
    for (TabSheet* p : pages_) {
        p->pageControl_ = nullptr;
    }
}

void PageControl::CreateParams(WindowParams& p)
{
    WinControl::CreateParams(p);
    p.platformClass = WC_TABCONTROLA;
    p.style |= TCS_BUTTONS | TCS_MULTILINE | WS_CLIPCHILDREN;
}

void PageControl::CreateWnd()
{
    WinControl::CreateWnd();
    SyncTabs();
    LayoutPages();
}

void PageControl::AddPage(TabSheet* p)
{
    pages_.push_back(p);
    p->SetParent(this);
    p->visible_ = false;
    if (!active_) {
        SetActivePage(p);
    }
    SyncTabs();
    LayoutPages();
}

void PageControl::RemovePage(TabSheet* p)
{
    pages_.erase(std::remove(pages_.begin(), pages_.end(), p), pages_.end());
    if (active_ == p) {
        active_ = nullptr;
    }
    SyncTabs();
}

void PageControl::SyncTabs()
{
    if (!hwnd_) {
        return;
    }
    SendMessageA(hwnd_, TCM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        std::string caption = pages_[i]->Text();
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageA(hwnd_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    int idx = ActivePageIndex();
    if (idx >= 0) {
        SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(idx), 0);
    }
}

Rect PageControl::ClientRect() const
{
    return Rect{0, 0, Width(), Height()};
}

void PageControl::LayoutPages()
{
    RECT r{0, 0, Width(), Height()};
    if (hwnd_) {
        SendMessageA(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    }
    for (TabSheet* p : pages_) {
        p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

void PageControl::BoundsChanged()
{
    LayoutPages();
}

int PageControl::ActivePageIndex() const
{
    auto it = std::find(pages_.begin(), pages_.end(), active_);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

void PageControl::SetActivePageIndex(int i)
{
    SetActivePage(i >= 0 && i < PageCount() ? pages_[static_cast<std::size_t>(i)] : nullptr);
}

void PageControl::SetActivePage(TabSheet* page)
{
    if (page == active_ || (page && page->pageControl_ != this)) {
        return;
    }
    TabSheet* old = active_;
    const bool focusOnOld = old && old->ContainsFocus();
    active_ = page;
    if (page) {
        page->SetVisible(true);
        if (hwnd_) {
            SetWindowPos(page->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(ActivePageIndex()), 0);
        }
    }
    if (old) {
        // Hiding it hands a focus inside it on in tab order; the new page's
        // first stop is nearer to what the person was doing.
        old->SetVisible(false);
        if (Form* form = ParentForm(); form && page && focusOnOld) {
            form->FocusFirstIn(page);
        }
        if (old->OnHide) {
            old->OnHide(old);
        }
    }
    if (page && page->OnShow) {
        page->OnShow(page);
    }
}

bool PageControl::TurnPage(bool forward)
{
    if (pages_.empty()) {
        return false;
    }
    const int n = PageCount();
    TabSheet* old = active_;
    SetActivePageIndex((std::max(ActivePageIndex(), 0) + (forward ? 1 : n - 1)) % n);
    // The keys turned the page: they go on with what it holds.
    if (Form* form = ParentForm(); form && active_) {
        form->FocusFirstIn(active_);
    }
    if (active_ != old && OnChange) {
        OnChange(this);
    }
    return true;
}

LRESULT PageControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == CN_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code == TCN_SELCHANGE) {
            int i = static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0));
            SetActivePageIndex(i);
            if (OnChange) {
                OnChange(this);
            }
        }
        return 0;
    }
    return WinControl::WndProc(msg, wParam, lParam);
}

} // namespace klarvo
