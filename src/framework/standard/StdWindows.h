#pragma once

// Windowed standard controls wrapping the platform's own: Edit (one-line
// EDIT), Memo (multi-line EDIT), UpDown (msctls_updown32 with a buddy
// edit), ProgressBar (msctls_progress32), Panel, PageControl with its
// TabSheets (only the active page shows), and FileNameEdit / DirectoryEdit
// (an edit with a browse button opening GetOpenFileNameA with a filter, for
// pictures with a preview, or SHBrowseForFolderA).

#include "framework/window/WinControl.h"

#include <string>
#include <vector>

namespace klarvo {

class UpDown;

class Edit : public WinControl {
public:
    explicit Edit(Component* owner);

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    void SelectAll();
    int SelStart() const;
    int SelLength() const;
    void SetSel(int start, int length);
    // Selects the whole text when the edit gets the focus.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool v) { autoSelect_ = v; }

    // Fires after every change of the text (typed or set).
    NotifyEvent OnChange;

protected:
    void CreateParams(WindowParams& params) override;
    void CreateWnd() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool WantsChars() const override { return true; }
    void DoEnter() override;
    // Up and Down step the associated up-down, as its arrows do.
    void KeyDown(unsigned short& key, ShiftState shift) override;
    virtual void Change();
    bool multiLine_ = false;

private:
    friend class UpDown;
    UpDown* stepper_ = nullptr;
    bool readOnly_ = false;
    int maxLength_ = 0;
    bool autoSelect_ = true;
};

class Memo : public Edit {
public:
    explicit Memo(Component* owner);
    // The text split into lines (CR LF, CR or LF end a line).
    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);
};

class UpDown : public WinControl {
public:
    explicit UpDown(Component* owner);
    ~UpDown() override;

    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMin(int v);
    // A position above a new maximum comes down to it.
    void SetMax(int v);
    int Position() const;
    void SetPosition(int v);
    int Increment() const { return increment_; }
    void SetIncrement(int v);
    bool Wrap() const { return wrap_; }
    void SetWrap(bool v);
    // The edit whose text shows the position; the up-down sits at its right.
    WinControl* Associate() const { return associate_; }
    void SetAssociate(WinControl* edit);
    // One press of an arrow from the keyboard: up (+1) or down (-1) by the
    // increment, within the range, raising what a click raises.
    void Step(int direction);

    // Fires after each press of an arrow (and each repeat of a held one),
    // also when the position is already at that end of the range.
    NotifyEvent OnClick;

protected:
    void CreateParams(WindowParams& params) override;
    void CreateWnd() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    friend class WinControl;
    void ArrowClicked(int newPos);
    // A position past an end: that end, or the other one when wrapping.
    int InRange(int next) const;
    void WriteBuddy();
    int min_ = 0, max_ = 100, position_ = 0, increment_ = 1;
    bool wrap_ = false;
    WinControl* associate_ = nullptr;
};

class ProgressBar : public WinControl {
public:
    explicit ProgressBar(Component* owner);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetRange(int min, int max);
    int Position() const { return position_; }
    void SetPosition(int v);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool v);

protected:
    void CreateParams(WindowParams& params) override;
    void CreateWnd() override;

private:
    int min_ = 0, max_ = 100, position_ = 0;
    bool smooth_ = false;
};

enum class PanelBevel { None, Lowered, Raised };

class Panel : public CustomControl {
public:
    explicit Panel(Component* owner);
    void SetBevelOuter(PanelBevel b) { StoreAndRepaint(outer_, b); }
    void SetBevelInner(PanelBevel b) { StoreAndRepaint(inner_, b); }
    void SetBorderWidth(int w) { StoreAndRepaint(borderWidth_, w); }
    // A single-line platform border (WS_BORDER).
    void SetBorderSingle(bool v);

protected:
    void CreateParams(WindowParams& params) override;
    void Paint() override;

private:
    PanelBevel outer_ = PanelBevel::Raised;
    PanelBevel inner_ = PanelBevel::None;
    int borderWidth_ = 0;
    bool borderSingle_ = false;
};

class PageControl;

class TabSheet : public CustomControl {
public:
    explicit TabSheet(Component* owner);
    ~TabSheet() override;
    PageControl* GetPageControl() const { return pageControl_; }
    void SetPageControl(PageControl* pc);
    int PageIndex() const;
    NotifyEvent OnShow;
    NotifyEvent OnHide;

private:
    friend class PageControl;
    PageControl* pageControl_ = nullptr;
};

// Holds pages; only the active one is visible. Making a page active shows it
// (its OnShow fires) and hides the one before (OnHide). OnChange fires only
// when the user switches pages through the tabs, not for ActivePage calls.
class PageControl : public WinControl {
public:
    explicit PageControl(Component* owner);
    ~PageControl() override;
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TabSheet* Pages(int i) const { return pages_.at(static_cast<std::size_t>(i)); }
    TabSheet* ActivePage() const { return active_; }
    void SetActivePage(TabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int i);
    NotifyEvent OnChange;

    Rect ClientRect() const override;

protected:
    void CreateParams(WindowParams& params) override;
    void CreateWnd() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void BoundsChanged() override;
    // The next or previous page, as a press on its tab would (OnChange fires).
    bool TurnPage(bool forward) override;

private:
    friend class TabSheet;
    void AddPage(TabSheet* p);
    void RemovePage(TabSheet* p);
    void SyncTabs();
    void LayoutPages();
    std::vector<TabSheet*> pages_;
    TabSheet* active_ = nullptr;
};

// Reaches the platform's file and folder dialogs; tests replace them.
struct BrowseDialogs {
    // Returns true and the chosen file; filter is "Name|*.ext|Name|*.ext".
    virtual bool OpenFile(HWND owner, const std::string& filter, const std::string& initialDir,
                          const std::string& current, std::string& chosen);
    // The same with a preview pane of the selected picture.
    virtual bool OpenPicture(HWND owner, const std::string& filter, const std::string& initialDir,
                             const std::string& current, std::string& chosen);
    virtual bool BrowseFolder(HWND owner, const std::string& title, const std::string& current, std::string& chosen);
    virtual ~BrowseDialogs() = default;
};
// Sets the dialogs used by every browse button (null: the platform's).
void SetBrowseDialogs(BrowseDialogs* dialogs);

// An edit with a browse button at its right end.
class BrowseEdit : public Edit {
public:
    explicit BrowseEdit(Component* owner);
    // Pressing the browse button (also callable directly).
    virtual void Browse() = 0;
    HWND ButtonHandle() const { return button_; }

protected:
    void CreateWnd() override;
    void BoundsChanged() override;
    void EnabledChanged() override;
    // F4 and Alt+Down open the dialog, as they drop a combo box's list.
    void KeyDown(unsigned short& key, ShiftState shift) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // The dialog, by button or key; then the focus is back in the field,
    // where Tab goes on (the button is no control of the form's).
    void BrowseFromField();
    HWND button_ = nullptr;
};

enum class FileDialogKind { Open, OpenPicture };

class FileNameEdit : public BrowseEdit {
public:
    explicit FileNameEdit(Component* owner);
    FileDialogKind DialogKind() const { return dialogKind_; }
    void SetDialogKind(FileDialogKind k) { dialogKind_ = k; }
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& f) { filter_ = f; }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& d) { initialDir_ = d; }
    void Browse() override;

private:
    std::string filter_;
    std::string initialDir_;
    FileDialogKind dialogKind_ = FileDialogKind::Open;
};

class DirectoryEdit : public BrowseEdit {
public:
    explicit DirectoryEdit(Component* owner);
    const std::string& DialogText() const { return dialogText_; }
    void SetDialogText(const std::string& t) { dialogText_ = t; }
    void Browse() override;

private:
    std::string dialogText_;
};

} // namespace klarvo
