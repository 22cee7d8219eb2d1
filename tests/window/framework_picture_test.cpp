#include <gtest/gtest.h>

#include "framework/drawing/Bitmap.h"
#include "framework/window/Control.h"
#include "framework/standard/StdWindows.h"
#include "resources/AssetIds.h"
#include "support/Patience.h"
#include "support/Pump.h"
#include "support/TempDir.h"

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

using namespace klarvo;
using namespace klarvo::test;

namespace {

// A 24-bit bottom-up Windows bitmap file of one colour with a red top row.
std::vector<std::uint8_t> MakeBmp(int w, int h, COLORREF fill)
{
    int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride * h);
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    std::vector<std::uint8_t> out(fh.bfSize);
    std::memcpy(out.data(), &fh, sizeof fh);
    std::memcpy(out.data() + sizeof fh, &ih, sizeof ih);
    for (int y = 0; y < h; ++y) {
        COLORREF c = y == h - 1 ? RGB(255, 0, 0) : fill; // the last stored row is the top
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = out.data() + fh.bfOffBits + y * stride + x * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    return out;
}

std::vector<std::uint8_t> MakeJpeg(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* mem = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &mem, &size);
    cinfo.image_width = static_cast<JDIMENSION>(w);
    cinfo.image_height = static_cast<JDIMENSION>(h);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row;
    for (int x = 0; x < w; ++x) {
        row.insert(row.end(), {r, g, b});
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> out(mem, mem + size);
    jpeg_destroy_compress(&cinfo);
    std::free(mem);
    return out;
}

bool Near(Color a, Color b)
{
    auto d = [](unsigned x, unsigned y) { return x > y ? x - y : y - x; };
    return d(RedOf(a), RedOf(b)) <= 6 && d(GreenOf(a), GreenOf(b)) <= 6 && d(BlueOf(a), BlueOf(b)) <= 6;
}

TEST(Pictures, WindowsBitmapLoadsWithItsSizeAndPixels)
{
    TempDir dir;
    WriteBytes(dir.File("tile.BMP"), MakeBmp(100, 60, RGB(0, 128, 255)));
    Picture p;
    p.LoadFromFile(dir.File("tile.BMP"));
    EXPECT_EQ(p.Width(), 100);
    EXPECT_EQ(p.Height(), 60);
    EXPECT_EQ(p.GetBitmap().Pixel(5, 0), RGB(255, 0, 0));
    EXPECT_EQ(p.GetBitmap().Pixel(5, 30), RGB(0, 128, 255));
}

TEST(Pictures, JpegDecodesIntoABitmapOfItsSize)
{
    TempDir dir;
    WriteBytes(dir.File("sky.jpg"), MakeJpeg(40, 24, 200, 100, 50));
    Picture p;
    p.LoadFromFile(dir.File("sky.jpg"));
    EXPECT_EQ(p.Width(), 40);
    EXPECT_EQ(p.Height(), 24);
    EXPECT_TRUE(Near(p.GetBitmap().Pixel(20, 12), RGB(200, 100, 50)));

    // A copy owns its own pixels.
    Picture copy = p;
    copy.GetBitmap().GetCanvas().brush.color = clBlack;
    copy.GetBitmap().GetCanvas().FillRect(Rect{0, 0, 40, 24});
    EXPECT_TRUE(Near(p.GetBitmap().Pixel(20, 12), RGB(200, 100, 50)));
}

TEST(Pictures, DamagedOrUnknownFilesRaiseAnErrorTheCallerCanCatch)
{
    TempDir dir;
    auto jpeg = MakeJpeg(40, 24, 1, 2, 3);
    WriteBytes(dir.File("cut.jpg"), std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + 30));
    WriteBytes(dir.File("half.jpg"), std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + jpeg.size() / 2));
    WriteBytes(dir.File("noise.jpg"), std::vector<std::uint8_t>(500, 0x5A));
    auto bmp = MakeBmp(100, 60, 0);
    WriteBytes(dir.File("cut.bmp"), std::vector<std::uint8_t>(bmp.begin(), bmp.begin() + 200));
    WriteBytes(dir.File("noise.bmp"), std::vector<std::uint8_t>(500, 0x5A));
    WriteBytes(dir.File("jpeg-named.bmp"), jpeg);
    WriteBytes(dir.File("picture.gif"), jpeg);
    WriteBytes(dir.File("empty.jpg"), {});
    for (const char* name : {"cut.jpg", "half.jpg", "noise.jpg", "cut.bmp", "noise.bmp", "jpeg-named.bmp",
                             "picture.gif", "empty.jpg", "absent.jpg"}) {
        Picture p;
        EXPECT_THROW(p.LoadFromFile(dir.File(name)), PictureError) << name;
        EXPECT_TRUE(p.Empty()) << name;
    }
    // A failed load leaves the picture before it as it was.
    Picture kept;
    WriteBytes(dir.File("good.jpg"), jpeg);
    kept.LoadFromFile(dir.File("good.jpg"));
    EXPECT_THROW(kept.LoadFromFile(dir.File("cut.jpg")), PictureError);
    EXPECT_EQ(kept.Width(), 40);
}

TEST(Pictures, BothFormatsLoadFromTheExecutablesResources)
{
    Picture title;
    title.LoadBmpResource(assets::kTitlePicture);
    EXPECT_EQ(title.Width(), 517);
    EXPECT_EQ(title.Height(), 15);
    Picture tile;
    tile.LoadJpegResource(assets::kDefaultBackground);
    EXPECT_EQ(tile.Width(), 128);
    EXPECT_EQ(tile.Height(), 128);
    Picture none;
    EXPECT_THROW(none.LoadJpegResource("NO_SUCH_PICTURE"), PictureError);
    EXPECT_THROW(none.LoadBmpResource("NO_SUCH_PICTURE"), PictureError);
}

TEST(Pictures, TheHandCursorShipsForSystemsWithoutOne)
{
    // Windows 95 has no hand: the program's own stands in, pointing from its tip.
    HCURSOR own = LoadCursorA(GetModuleHandleA(nullptr), kHandCursorResource);
    ASSERT_NE(own, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(own, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 0u);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) {
        DeleteObject(info.hbmColor);
    }
    EXPECT_NE(CursorHandle(crHandPoint), nullptr);
    EXPECT_EQ(CursorHandle(12345), LoadCursorA(nullptr, MAKEINTRESOURCEA(crArrow))) << "an unknown cursor: the arrow";
}

// The open dialog and its preview pane, found as a person sees them: the
// "Preview" frame, the text in it and the drawn picture beneath.
struct OpenDialog {
    HWND dialog = nullptr, size = nullptr, picture = nullptr, list = nullptr;

    static OpenDialog Find()
    {
        OpenDialog d;
        d.dialog = FindWindowA("#32770", nullptr);
        HWND pane = FindWindowExA(d.dialog, nullptr, "#32770", nullptr);
        if (!FindWindowExA(pane, nullptr, "Button", "Preview")) {
            return d;
        }
        for (HWND c = nullptr; (c = FindWindowExA(pane, c, "Static", nullptr));) {
            if (GetDlgCtrlID(c) != stc32) {
                ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_OWNERDRAW ? d.picture : d.size) = c;
            }
        }
        d.list = FindWindowExA(FindWindowExA(d.dialog, nullptr, "SHELLDLL_DefView", nullptr), nullptr, WC_LISTVIEWA,
                               nullptr);
        return d;
    }
    bool Ready() const { return size && picture && list; }
    std::string SizeText() const
    {
        char text[64] = {};
        GetWindowTextA(size, text, sizeof text);
        return text;
    }
    // The screen's pixel at this offset from the picture area's centre.
    COLORREF Pixel(int dx, int dy) const
    {
        RECT r{};
        GetWindowRect(picture, &r);
        HDC screen = GetDC(nullptr);
        COLORREF c = GetPixel(screen, (r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2 + dy);
        ReleaseDC(nullptr, screen);
        return c;
    }
    void Select(const char* name) const
    {
        LVFINDINFOA find{};
        find.flags = LVFI_STRING;
        find.psz = name;
        const LRESULT i = SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
        LVITEMA item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
};

bool Eventually(const std::function<bool()>& done)
{
    return WaitUntil(done, kAnswerPatienceMs);
}

// After the person gave up, a dialog that still comes is cancelled until the
// call that shows it has returned: the test then fails instead of hanging.
void CancelLateDialogs(const std::atomic<bool>& returned)
{
    while (!returned) {
        if (HWND late = FindWindowA("#32770", nullptr)) {
            PostMessageA(late, WM_COMMAND, IDCANCEL, 0);
        }
        Sleep(20);
    }
}

TEST(PictureDialog, PreviewShowsTheFieldsPictureThenFollowsTheSelectionAndNeverRaisesAnErrorBox)
{
    TempDir dir;
    WriteBytes(dir.File("red.bmp"), MakeBmp(60, 40, RGB(255, 0, 0)));
    WriteBytes(dir.File("wide.jpg"), MakeJpeg(400, 100, 0, 0, 255));
    WriteText(dir.File("notes.txt"), "not a picture\r\n");
    auto jpeg = MakeJpeg(40, 24, 1, 2, 3);
    WriteBytes(dir.File("cut.jpg"), std::vector<std::uint8_t>(jpeg.begin(), jpeg.begin() + jpeg.size() / 2));

    // What the pane showed, step by step; a person would close it with Cancel.
    struct {
        bool ready = false;
        std::string first, wide, text, damaged;
        COLORREF firstCentre = 0, wideCentre = 0, wideAbove = 0;
        int dialogs = 0;
    } seen;
    std::atomic<bool> returned{false};
    std::thread person([&] {
        OpenDialog d;
        seen.ready = Eventually([&] { return (d = OpenDialog::Find()).Ready(); });
        if (!d.dialog) {
            CancelLateDialogs(returned);
            return;
        }
        if (seen.ready) {
            Eventually([&] {
                return (seen.first = d.SizeText()) == "60 x 40" && (seen.firstCentre = d.Pixel(0, 0)) == RGB(255, 0, 0);
            });
            d.Select("cut.jpg");
            Eventually([&] { return (seen.damaged = d.SizeText()) == "(None)"; });
            d.Select("wide.jpg");
            Eventually([&] {
                return (seen.wide = d.SizeText()) == "400 x 100" &&
                       Near(seen.wideCentre = d.Pixel(0, 0), RGB(0, 0, 255));
            });
            seen.wideAbove = d.Pixel(0, -30);
            d.Select("notes.txt");
            Eventually([&] { return (seen.text = d.SizeText()) == "(None)"; });
            for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr));) {
                seen.dialogs += IsWindowVisible(w) ? 1 : 0;
            }
        }
        PostMessageA(d.dialog, WM_COMMAND, IDCANCEL, 0);
        CancelLateDialogs(returned);
    });
    std::string chosen;
    BrowseDialogs platform;
    EXPECT_FALSE(platform.OpenPicture(nullptr, "All files|*.*", dir.Path(), dir.File("red.bmp"), chosen));
    returned = true;
    person.join();

    ASSERT_TRUE(seen.ready) << "the open dialog with its preview pane";
    EXPECT_EQ(seen.first, "60 x 40") << "the field's picture, at once";
    EXPECT_EQ(seen.firstCentre, RGB(255, 0, 0));
    EXPECT_EQ(seen.wide, "400 x 100");
    EXPECT_TRUE(Near(seen.wideCentre, RGB(0, 0, 255)));
    EXPECT_FALSE(Near(seen.wideAbove, RGB(0, 0, 255))) << "shrunk to the pane's width, proportions kept";
    EXPECT_EQ(seen.text, "(None)");
    EXPECT_EQ(seen.damaged, "(None)");
    EXPECT_EQ(seen.dialogs, 1) << "no error box beside the dialog";
}

} // namespace

// Taking a folder in the system's folder dialog gives the path of a folder
// and hands the system's list of it back to the shell's allocator.
TEST(FolderDialog, TakingAFolderGivesItsPath)
{
    TempDir dir;
    bool shown = false;
    std::atomic<bool> returned{false};
    std::thread person([&] {
        HWND dialog = nullptr;
        shown = Eventually([&] {
            dialog = FindWindowA("#32770", nullptr);
            return dialog && FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
        });
        if (dialog) {
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }
        CancelLateDialogs(returned);
    });
    std::string chosen;
    const bool taken = BrowseDialogs().BrowseFolder(nullptr, "Folder", dir.Path(), chosen);
    returned = true;
    person.join();

    EXPECT_TRUE(shown);
    ASSERT_TRUE(taken);
    const DWORD attributes = GetFileAttributesA(chosen.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) << chosen;
}
