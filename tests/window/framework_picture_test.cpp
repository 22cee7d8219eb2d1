#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/Control.h"
#include "resources/AssetIds.h"
#include "support/TempDir.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
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
    std::vector<unsigned char> row(static_cast<std::size_t>(w) * 3);
    for (int x = 0; x < w; ++x) {
        row[x * 3] = r;
        row[x * 3 + 1] = g;
        row[x * 3 + 2] = b;
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

} // namespace
