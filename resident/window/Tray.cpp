#include "resident/window/Tray.h"

#include "win/Gdi.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>

namespace klarvo::resident {
namespace {

constexpr int kSide = 16;
constexpr UINT kIconId = 1;

// Faces of the figure: up to two digits large, three smaller, four also
// narrower, so that every figure fits 16 pixels.
struct DigitFace {
    int height;
    int width;
};
constexpr DigitFace kFaces[] = {{12, 0}, {9, 0}, {9, 4}};

std::size_t DigitFaceFor(std::size_t digits)
{
    return digits > 3 ? 2 : digits > 2 ? 1 : 0;
}

} // namespace

bool TrayPainter::Ready()
{
    if (!dc_ || !colour_ || !mask_) {
        const WindowDc screen(nullptr);
        dc_ = MemoryDc(screen.Get());
        colour_.Reset(CreateCompatibleBitmap(screen.Get(), kSide, kSide));
        mask_.Reset(CreateBitmap(kSide, kSide, 1, 1, nullptr));
    }
    return dc_ && colour_ && mask_;
}

template <typename Paint> IconHandle TrayPainter::Make(Paint paint)
{
    if (!Ready()) {
        return IconHandle();
    }
    HDC dc = dc_.Get();
    RECT all{0, 0, kSide, kSide};
    {
        Selection onMask(dc, mask_.Get());
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        paint(dc, true);
    }
    {
        Selection onColour(dc, colour_.Get());
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SetTextColor(dc, RGB(0, 255, 0));
        paint(dc, false);
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = mask_.Get();
    info.hbmColor = colour_.Get();
    // The icon takes copies, so the same two bitmaps serve every figure.
    return IconHandle(CreateIconIndirect(&info));
}

IconHandle TrayPainter::NumberIcon(int number)
{
    number = std::clamp(number, 0, kMaxFigure);
    char text[8] = {};
    const int length = wsprintfA(text, "%d", number);
    const std::size_t face = DigitFaceFor(static_cast<std::size_t>(length));
    static_assert(std::size(kFaces) == kDigitFaces);
    FontHandle& font = fonts_[face];
    if (!font) {
        font.Reset(CreateFontA(-kFaces[face].height, kFaces[face].width, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, "Arial"));
    }
    return Make([&](HDC dc, bool) {
        // The same text on both: opaque where drawn.
        const Selection selected(dc, font.Get());
        RECT box{0, 0, kSide, kSide};
        DrawTextA(dc, text, length, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    });
}

IconHandle TrayPainter::MarkIcon()
{
    return Make([](HDC dc, bool onMask) {
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
    // Called every few seconds. The picture is made anew only when the
    // figure it shows moved: the mark never moves, though its tip does.
    const int figure = freeMB >= 0 ? freeMB : -1;
    const bool pictureCurrent = icon_ && figure == shownMB_;
    if (added_ && pictureCurrent && tip == tip_) {
        return;
    }
    // The old picture lives until the shell is done with it.
    IconHandle previous;
    if (!pictureCurrent) {
        previous = std::exchange(icon_, figure >= 0 ? painter_.NumberIcon(figure) : painter_.MarkIcon());
        shownMB_ = figure;
    }
    tip_ = tip;
    if (added_) {
        added_ = Send(NIM_MODIFY);
    }
    if (!added_) {
        added_ = AddOrModify();
    }
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
    if (added_) {
        Send(NIM_DELETE);
    }
    added_ = false;
}

} // namespace klarvo::resident
