#include "framework/standard/StdWindows.h"

#include "framework/window/OnScreen.h"
#include "framework/standard/PictureDialog.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

// The edits with a browse button: the platform's file and folder dialogs
// behind them, replaceable for tests.

namespace klarvo {

namespace {
BrowseDialogs g_platformDialogs;
BrowseDialogs* g_dialogs = &g_platformDialogs;

int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data)
{
    if (msg == BFFM_INITIALIZED && data) {
        SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, data);
    }
    return 0;
}
} // namespace

void SetBrowseDialogs(BrowseDialogs* dialogs)
{
    g_dialogs = dialogs ? dialogs : &g_platformDialogs;
}

namespace {

bool IsDirectory(const std::string& path)
{
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The platform's open dialog, with or without the picture preview.
bool RunOpenDialog(HWND owner, const std::string& filter, const std::string& initialDir, const std::string& current,
                   std::string& chosen, bool preview)
{
    // "Name|*.ext|..." becomes the platform's double-NUL-terminated list.
    std::string f = filter;
    std::replace(f.begin(), f.end(), '|', '\0');
    f.push_back('\0');
    f.push_back('\0');
    // A field naming a folder (the backgrounds folder before any picture
    // was chosen) opens the dialog there with no file: handed over as a
    // file name, a path ending in a backslash has no name part, and Wine's
    // dialog reads through the missing name. A starting folder that is gone
    // is left to the dialog's own choice.
    const bool namesFolder = !current.empty() && (current.back() == '\\' || IsDirectory(current));
    const std::string startDir = namesFolder ? current : initialDir;
    char file[MAX_PATH] = {};
    lstrcpynA(file, namesFolder ? "" : current.c_str(), MAX_PATH);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.empty() ? nullptr : f.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = IsDirectory(startDir) ? startDir.c_str() : nullptr;
    ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    KeepDialogsOnScreen onScreen(owner);
    if (!(preview ? GetOpenPictureFileName(ofn) : GetOpenFileNameA(&ofn))) {
        return false;
    }
    chosen = file;
    return true;
}
} // namespace

bool BrowseDialogs::OpenFile(HWND owner, const std::string& filter, const std::string& initialDir,
                             const std::string& current, std::string& chosen)
{
    return RunOpenDialog(owner, filter, initialDir, current, chosen, false);
}

bool BrowseDialogs::OpenPicture(HWND owner, const std::string& filter, const std::string& initialDir,
                                const std::string& current, std::string& chosen)
{
    return RunOpenDialog(owner, filter, initialDir, current, chosen, true);
}

namespace {

// The list comes from the shell's allocator, which Windows 95 documents as
// the way to free it. Going through it rather than the COM task allocator
// also spares the shell importing ole32, which Windows 9x would otherwise
// load into it for this one call.
void FreeShellItem(LPITEMIDLIST item)
{
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(item);
        allocator->Release();
    }
}

} // namespace

bool BrowseDialogs::BrowseFolder(HWND owner, const std::string& title, const std::string& current, std::string& chosen)
{
    char display[MAX_PATH] = {};
    BROWSEINFOA bi{};
    bi.hwndOwner = owner;
    bi.pszDisplayName = display;
    bi.lpszTitle = title.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    bi.lpfn = BrowseCallback;
    bi.lParam = current.empty() ? 0 : reinterpret_cast<LPARAM>(current.c_str());
    LPITEMIDLIST pidl = nullptr;
    {
        KeepDialogsOnScreen onScreen(owner);
        pidl = SHBrowseForFolderA(&bi);
    }
    if (!pidl) {
        return false;
    }
    char path[MAX_PATH] = {};
    bool ok = SHGetPathFromIDListA(pidl, path) != FALSE;
    FreeShellItem(pidl);
    if (ok) {
        chosen = path;
    }
    return ok;
}

namespace {
constexpr int kButtonWidth = 21;
constexpr UINT kBrowseId = 100;
} // namespace

BrowseEdit::BrowseEdit(Component* owner) : Edit(owner) {}

void BrowseEdit::CreateWnd()
{
    Edit::CreateWnd();
    RECT r{};
    GetClientRect(hwnd_, &r);
    const DWORD state = Enabled() ? 0 : WS_DISABLED;
    button_ = CreateWindowExA(0, "BUTTON", "...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | state, r.right - kButtonWidth,
                              0, kButtonWidth, r.bottom, hwnd_, reinterpret_cast<HMENU>(kBrowseId),
                              GetModuleHandleA(nullptr), nullptr);
    SendMessageA(hwnd_, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, kButtonWidth + 2));
}

void BrowseEdit::BoundsChanged()
{
    Edit::BoundsChanged();
    if (button_) {
        RECT r{};
        GetClientRect(hwnd_, &r);
        MoveWindow(button_, r.right - kButtonWidth, 0, kButtonWidth, r.bottom, TRUE);
    }
}

void BrowseEdit::EnabledChanged()
{
    Edit::EnabledChanged();
    // The button is a window of its own: disabling the edit leaves it drawn
    // and enabled as usable, so it follows its field.
    if (button_) {
        EnableWindow(button_, Enabled());
    }
}

void BrowseEdit::KeyDown(unsigned short& key, ShiftState shift)
{
    Edit::KeyDown(key, shift);
    const bool alt = (shift & ssAlt) != 0;
    if (((key == VK_F4 && !alt) || (key == VK_DOWN && alt)) && Enabled()) {
        key = 0;
        BrowseFromField();
    }
}

void BrowseEdit::BrowseFromField()
{
    Browse();
    if (CanFocus()) {
        SetFocus();
    }
}

LRESULT BrowseEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && reinterpret_cast<HWND>(lParam) == button_ && button_) {
        if (HIWORD(wParam) == BN_CLICKED) {
            BrowseFromField();
        }
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        button_ = nullptr;
    }
    return Edit::WndProc(msg, wParam, lParam);
}

FileNameEdit::FileNameEdit(Component* owner) : BrowseEdit(owner) {}

void FileNameEdit::Browse()
{
    std::string chosen;
    const bool picked = dialogKind_ == FileDialogKind::OpenPicture
                            ? g_dialogs->OpenPicture(Handle(), filter_, initialDir_, Text(), chosen)
                            : g_dialogs->OpenFile(Handle(), filter_, initialDir_, Text(), chosen);
    if (picked) {
        SetText(chosen);
    }
}

DirectoryEdit::DirectoryEdit(Component* owner) : BrowseEdit(owner) {}

void DirectoryEdit::Browse()
{
    std::string chosen;
    if (g_dialogs->BrowseFolder(Handle(), dialogText_, Text(), chosen)) {
        SetText(chosen);
    }
}

} // namespace klarvo
