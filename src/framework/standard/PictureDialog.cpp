#include "framework/standard/PictureDialog.h"

#include "framework/drawing/Bitmap.h"
#include "framework/window/OnScreen.h"
#include "win/Handles.h"

#include <dlgs.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace klarvo {

namespace {

// The pane's controls (clear of the standard dialog's numbers).
constexpr WORD kFrameId = 0x0601;
constexpr WORD kSizeId = 0x0602;
constexpr WORD kPictureId = 0x0603;
constexpr UINT kLayoutLater = WM_APP + 1;
constexpr char kNone[] = "(None)";

// The pane's width in dialog units; the dialog grows by about this much.
constexpr short kPaneWidth = 100;

// A DLGTEMPLATE with its items, as the platform reads it from memory: WORD
// values, strings in UTF-16, each item on a DWORD boundary.
class TemplateWriter {
public:
    void Dialog(DWORD style, short cx, short cy, WORD items)
    {
        Dword(style);
        Dword(0);
        Word(items);
        Coordinates(0, 0, cx, cy);
        Word(0); // no menu
        Word(0); // the standard class
        Word(0); // no title
        Word(8); // DS_SETFONT: the size in points, then the face
        Text("MS Sans Serif");
    }
    void Item(WORD atom, DWORD style, short x, short y, short cx, short cy, WORD id, const char* text)
    {
        if (words_.size() % 2) {
            Word(0);
        }
        Dword(style | WS_CHILD);
        Dword(0);
        Coordinates(x, y, cx, cy);
        Word(id);
        Word(0xFFFF);
        Word(atom);
        Text(text);
        Word(0); // no creation data
    }
    // A copy in fixed global memory: the handle is also the address, as
    // both LockResource and GlobalLock of the dialog code expect.
    GlobalMemory Copy() const
    {
        const std::size_t bytes = words_.size() * sizeof(WORD);
        GlobalMemory memory(GlobalAlloc(GMEM_FIXED, bytes));
        if (memory) {
            std::memcpy(memory.Get(), words_.data(), bytes);
        }
        return memory;
    }

private:
    void Word(WORD w) { words_.push_back(w); }
    void Dword(DWORD d)
    {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Coordinates(short x, short y, short cx, short cy)
    {
        for (short v : {x, y, cx, cy}) {
            Word(static_cast<WORD>(v));
        }
    }
    void Text(const char* s)
    {
        for (; *s; ++s) {
            Word(static_cast<unsigned char>(*s));
        }
        Word(0);
    }
    std::vector<WORD> words_;
};

GlobalMemory PaneTemplate()
{
    constexpr WORD kButton = 0x0080, kStatic = 0x0082;
    // stc32 is one unit wide: everything at its right moves right of the
    // standard controls. Sizes below are laid out again once those are known.
    TemplateWriter t;
    t.Dialog(WS_CHILD | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL | DS_SETFONT, kPaneWidth + 8, 1, 4);
    t.Item(kStatic, 0, 0, 0, 1, 1, stc32, "");
    t.Item(kButton, WS_VISIBLE | BS_GROUPBOX, 4, 0, kPaneWidth, 1, kFrameId, "Preview");
    t.Item(kStatic, WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 8, 0, kPaneWidth - 8, 1, kSizeId, kNone);
    t.Item(kStatic, WS_VISIBLE | SS_OWNERDRAW, 8, 0, kPaneWidth - 8, 1, kPictureId, "");
    return t.Copy();
}

struct Pane {
    HWND dialog = nullptr;
    std::string first; // the file the dialog opened with
    std::string shown;
    Picture picture;

    void Show(const std::string& path)
    {
        if (path == shown && !shown.empty()) {
            return;
        }
        shown = path;
        std::string text = kNone;
        try {
            Picture loaded;
            loaded.LoadFromFile(path);
            picture = std::move(loaded);
            text = std::to_string(picture.Width()) + " x " + std::to_string(picture.Height());
        } catch (const std::exception&) {
            // Not a picture, or a damaged one: the pane says so quietly.
            picture.Clear();
        }
        SetDlgItemTextA(dialog, kSizeId, text.c_str());
        InvalidateRect(GetDlgItem(dialog, kPictureId), nullptr, TRUE);
    }

    void ShowSelection()
    {
        // The name box may still hold the full path the dialog opened with,
        // which some dialogs put behind the folder's path once more.
        char spec[MAX_PATH] = {}, path[MAX_PATH] = {};
        SendMessageA(GetParent(dialog), CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(spec));
        const bool absolute = (spec[0] && spec[1] == ':' && spec[2] == '\\') || (spec[0] == '\\' && spec[1] == '\\');
        if (absolute) {
            Show(spec);
            return;
        }
        LRESULT n = SendMessageA(GetParent(dialog), CDM_GETFILEPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
        Show(n > 0 ? std::string(path) : std::string());
    }

    // The rectangle of one of the standard dialog's controls in ours.
    bool StandardRect(int id, RECT& r) const
    {
        HWND item = GetDlgItem(GetParent(dialog), id);
        if (!item || !GetWindowRect(item, &r)) {
            return false;
        }
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        return true;
    }

    // A column right of the standard controls, from the "Look in" row down
    // to the Cancel button.
    void Layout() const
    {
        RECT client{}, look{}, cancel{};
        GetClientRect(dialog, &client);
        RECT unit{4, 4, 10, 8};
        MapDialogRect(dialog, &unit);
        const int gap = unit.left, line = unit.bottom;
        if (!StandardRect(cmb2, look) || !StandardRect(IDCANCEL, cancel)) {
            return;
        }
        const int left = cancel.right + 2 * gap, right = client.right - gap;
        const int top = std::max(0, static_cast<int>(look.top) - gap), bottom = cancel.bottom;
        if (right - left < 4 * gap || bottom - top < 4 * line) {
            return;
        }
        auto place = [&](WORD id, int l, int t, int r, int b) {
            MoveWindow(GetDlgItem(dialog, id), l, t, r - l, b - t, TRUE);
        };
        place(kFrameId, left, top, right, bottom);
        const int sizeTop = top + line + gap / 2;
        place(kSizeId, left + gap, sizeTop, right - gap, sizeTop + line);
        place(kPictureId, left + gap, sizeTop + line + gap / 2, right - gap, bottom - gap);
    }

    // The pane widens the dialog after it was first shown and placed.
    void KeepOnScreen() const
    {
        const HWND whole = GetParent(dialog);
        MoveIntoWorkArea(whole, GetWindow(whole, GW_OWNER));
    }
    void Draw(const DRAWITEMSTRUCT& item) const
    {
        RECT r = item.rcItem;
        FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(item.hDC, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        if (picture.Empty()) {
            return;
        }
        // Shrunk to fit with its proportions kept; never enlarged.
        const std::int64_t w = picture.Width(), h = picture.Height();
        const std::int64_t aw = std::max<LONG>(r.right - r.left, 1), ah = std::max<LONG>(r.bottom - r.top, 1);
        std::int64_t dw = w, dh = h;
        if (w > aw || h > ah) {
            if (w * ah > h * aw) {
                dw = aw;
                dh = std::max<std::int64_t>(h * aw / w, 1);
            } else {
                dh = ah;
                dw = std::max<std::int64_t>(w * ah / h, 1);
            }
        }
        SetStretchBltMode(item.hDC, COLORONCOLOR);
        StretchBlt(item.hDC, static_cast<int>(r.left + (aw - dw) / 2), static_cast<int>(r.top + (ah - dh) / 2),
                   static_cast<int>(dw), static_cast<int>(dh), picture.GetBitmap().Dc(), 0, 0, static_cast<int>(w),
                   static_cast<int>(h), SRCCOPY);
    }
};

UINT_PTR Hook(HWND dialog, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        auto* pane = reinterpret_cast<Pane*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
        pane->dialog = dialog;
        SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(pane));
        return TRUE;
    }
    auto* pane = reinterpret_cast<Pane*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!pane) {
        return FALSE;
    }
    switch (msg) {
    case WM_NOTIFY:
        switch (reinterpret_cast<NMHDR*>(lParam)->code) {
        case CDN_INITDONE:
            pane->Layout();
            pane->KeepOnScreen();
            pane->Show(pane->first);
            break;
        case CDN_SELCHANGE:
            pane->ShowSelection();
            break;
        default:
            break;
        }
        return FALSE;
    case WM_SIZE:
        // The standard controls move after we are resized.
        PostMessageA(dialog, kLayoutLater, 0, 0);
        return FALSE;
    case kLayoutLater:
        pane->Layout();
        pane->KeepOnScreen();
        return TRUE;
    case WM_DRAWITEM:
        if (reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlID == kPictureId) {
            pane->Draw(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

UINT_PTR CALLBACK SafeHook(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    try {
        return Hook(dialog, msg, wParam, lParam);
    } catch (...) {
        // Nothing may cross into the dialog code; the pane just stays as it is.
        return FALSE;
    }
}

} // namespace

bool GetOpenPictureFileName(OPENFILENAMEA& ofn)
{
    GlobalMemory pane = PaneTemplate();
    if (!pane) {
        return GetOpenFileNameA(&ofn) != FALSE;
    }
    Pane state;
    state.first = ofn.lpstrFile ? ofn.lpstrFile : "";
    ofn.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE | OFN_ENABLESIZING;
    ofn.hInstance = static_cast<HINSTANCE>(pane.Get());
    ofn.lpfnHook = SafeHook;
    ofn.lCustData = reinterpret_cast<LPARAM>(&state);
    return GetOpenFileNameA(&ofn) != FALSE;
}

} // namespace klarvo
