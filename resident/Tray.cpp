#include "resident/Tray.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

namespace klarvo::resident {
namespace {

constexpr int kSide = 16;
constexpr UINT kIconId = 1;

// Draws on a fresh 16 x 16 colour bitmap and turns it into an icon whose
// background is transparent.
template <typename Paint> HICON MakeIcon(Paint paint)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP colour = CreateCompatibleBitmap(screen, kSide, kSide);
    HBITMAP mask = CreateBitmap(kSide, kSide, 1, 1, nullptr);
    ReleaseDC(nullptr, screen);

    HGDIOBJ old = SelectObject(dc, mask);
    RECT all{0, 0, kSide, kSide};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    paint(dc, true);

    SelectObject(dc, colour);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetTextColor(dc, RGB(0, 255, 0));
    paint(dc, false);
    SelectObject(dc, old);

    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = mask;
    info.hbmColor = colour;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    DeleteDC(dc);
    return icon;
}

} // namespace

HICON MakeNumberIcon(int number)
{
    number = std::clamp(number, 0, 9999);
    const std::string text = std::to_string(number);
    // Four digits need a narrow face to fit 16 pixels.
    const int height = text.size() > 2 ? 9 : 12;
    const int width = text.size() > 3 ? 4 : 0;
    return MakeIcon([&](HDC dc, bool onMask) {
        HFONT font = CreateFontA(-height, width, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
        HGDIOBJ old = SelectObject(dc, font);
        RECT box{0, 0, kSide, kSide};
        (void)onMask; // the same text on both: opaque where drawn
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
        DeleteObject(font);
    });
}

HICON MakeMarkIcon()
{
    return MakeIcon([](HDC dc, bool onMask) {
        HBRUSH brush = CreateSolidBrush(onMask ? RGB(0, 0, 0) : RGB(0, 160, 255));
        RECT chip{3, 2, 13, 14};
        FillRect(dc, &chip, brush);
        DeleteObject(brush);
        if (!onMask) {
            HBRUSH pins = CreateSolidBrush(RGB(255, 255, 255));
            for (int y = 4; y < 13; y += 3) {
                RECT pin{5, y, 11, y + 1};
                FillRect(dc, &pin, pins);
            }
            DeleteObject(pins);
        }
    });
}

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage) : owner_(owner), callbackMessage_(callbackMessage) {}

TrayIcon::~TrayIcon()
{
    Remove();
    if (icon_)
        DestroyIcon(icon_);
}

bool TrayIcon::Send(DWORD action)
{
    // The size Windows 95 and 98 know; later systems accept it too.
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner_;
    data.uID = kIconId;
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    const std::size_t length = std::min(tip_.size(), sizeof data.szTip - 1);
    std::memcpy(data.szTip, tip_.data(), length);
    data.szTip[length] = '\0';
    return Shell_NotifyIconA(action, &data) != FALSE;
}

void TrayIcon::Show(int freeMB, const std::string& tip)
{
    // Called every few seconds: a new picture only when the figure moved.
    if (added_ && icon_ && freeMB == shownMB_ && tip == tip_)
        return;
    shownMB_ = freeMB;
    HICON previous = icon_;
    icon_ = freeMB >= 0 ? MakeNumberIcon(freeMB) : MakeMarkIcon();
    tip_ = tip;
    if (added_)
        added_ = Send(NIM_MODIFY);
    if (!added_)
        added_ = Send(NIM_ADD);
    // Only now is the shell done with the old picture.
    if (previous)
        DestroyIcon(previous);
}

void TrayIcon::Recreate()
{
    added_ = Send(NIM_ADD);
}

void TrayIcon::Remove()
{
    if (added_)
        Send(NIM_DELETE);
    added_ = false;
}

} // namespace klarvo::resident
