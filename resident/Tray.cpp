#include "resident/Tray.h"

#include "win/Gdi.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace klarvo::resident {
namespace {

constexpr int kSide = 16;
constexpr UINT kIconId = 1;

// Draws on a fresh 16 x 16 colour bitmap and turns it into an icon whose
// background is transparent.
template <typename Paint> IconHandle MakeIcon(Paint paint)
{
    BitmapHandle colour;
    BitmapHandle mask(CreateBitmap(kSide, kSide, 1, 1, nullptr));
    const MemoryDc dc = [&colour] {
        const WindowDc screen(nullptr);
        colour.Reset(CreateCompatibleBitmap(screen.Get(), kSide, kSide));
        return MemoryDc(screen.Get());
    }();
    RECT all{0, 0, kSide, kSide};
    {
        Selection onMask(dc.Get(), mask.Get());
        FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc.Get(), TRANSPARENT);
        SetTextColor(dc.Get(), RGB(0, 0, 0));
        paint(dc.Get(), true);
    }
    {
        Selection onColour(dc.Get(), colour.Get());
        FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SetTextColor(dc.Get(), RGB(0, 255, 0));
        paint(dc.Get(), false);
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = mask.Get();
    info.hbmColor = colour.Get();
    // The icon takes copies: both bitmaps go when this returns.
    return IconHandle(CreateIconIndirect(&info));
}

} // namespace

IconHandle MakeNumberIcon(int number)
{
    number = std::clamp(number, 0, 9999);
    const std::string text = std::to_string(number);
    // Four digits need a narrow face to fit 16 pixels.
    const int height = text.size() > 2 ? 9 : 12;
    const int width = text.size() > 3 ? 4 : 0;
    return MakeIcon([&](HDC dc, bool onMask) {
        const FontHandle font(CreateFontA(-height, width, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                          CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                          "Arial"));
        const Selection selected(dc, font.Get());
        RECT box{0, 0, kSide, kSide};
        (void)onMask; // the same text on both: opaque where drawn
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    });
}

IconHandle MakeMarkIcon()
{
    return MakeIcon([](HDC dc, bool onMask) {
        const BrushHandle brush(CreateSolidBrush(onMask ? RGB(0, 0, 0) : RGB(0, 160, 255)));
        RECT chip{3, 2, 13, 14};
        FillRect(dc, &chip, brush.Get());
        if (!onMask) {
            const BrushHandle pins(CreateSolidBrush(RGB(255, 255, 255)));
            for (int y = 4; y < 13; y += 3) {
                RECT pin{5, y, 11, y + 1};
                FillRect(dc, &pin, pins.Get());
            }
        }
    });
}

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage) : owner_(owner), callbackMessage_(callbackMessage) {}

TrayIcon::~TrayIcon()
{
    Remove();
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
    data.hIcon = icon_.Get();
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
    // The old picture lives until the shell is done with it.
    const IconHandle previous = std::exchange(icon_, freeMB >= 0 ? MakeNumberIcon(freeMB) : MakeMarkIcon());
    tip_ = tip;
    if (added_)
        added_ = Send(NIM_MODIFY);
    if (!added_)
        added_ = AddOrModify();
}

void TrayIcon::Recreate()
{
    added_ = AddOrModify();
}

bool TrayIcon::AddOrModify()
{
    // An add is refused while the icon is still there, as it is when the
    // taskbar's announcement was forged: then the icon is brought up to date.
    return Send(NIM_ADD) || Send(NIM_MODIFY);
}

void TrayIcon::Remove()
{
    if (added_)
        Send(NIM_DELETE);
    added_ = false;
}

} // namespace klarvo::resident
