// Draws the shell's title picture with GDI, in the faces the shell itself
// asks for, and writes it as a 24-bit Windows bitmap. Run under Wine by
// scripts/make-assets.sh: drawtitle.exe OUTPUT.bmp
//
// The picture sits centred on the navy caption strip and its border pixels
// may be taken as the transparent colour, so everything outside the drawing
// is exactly the strip's navy. The two small caption buttons cover the
// right-hand end, so the design keeps well clear of it.

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 517;
constexpr int kHeight = 15;
constexpr int kStride = (kWidth * 3 + 3) & ~3;

constexpr COLORREF kNavy = RGB(0, 0, 128);

struct Surface {
    HDC dc = nullptr;
    HBITMAP dib = nullptr;
    unsigned char* bits = nullptr;

    // Bottom-up rows, blue-green-red: the layout the file stores.
    unsigned char* At(int x, int y) { return bits + (kHeight - 1 - y) * kStride + x * 3; }
    void Put(int x, int y, double r, double g, double b)
    {
        unsigned char* p = At(x, y);
        p[0] = static_cast<unsigned char>(std::lround(b));
        p[1] = static_cast<unsigned char>(std::lround(g));
        p[2] = static_cast<unsigned char>(std::lround(r));
    }
};

HFONT MakeFont(int pixelHeight, int weight, bool italic, const char* face)
{
    return CreateFontA(-pixelHeight, 0, 0, 0, weight, italic, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_ROMAN, face);
}

int TextWidth(HDC dc, HFONT font, const char* text)
{
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(dc, old);
    return size.cx;
}

void Text(HDC dc, HFONT font, int x, int y, COLORREF color, const char* text)
{
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, color);
    TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
    SelectObject(dc, old);
}

// A hairline that brightens from the strip's navy towards the lettering, so
// that the title seems to grow out of the strip.
void Rule(Surface& s, int from, int to, int y, bool brightAtEnd)
{
    const int n = to - from;
    for (int i = 0; i <= n; ++i) {
        double t = static_cast<double>(i) / n;
        if (!brightAtEnd) {
            t = 1.0 - t;
        }
        const double k = t * t;
        s.Put(from + i, y, 0 + k * 150, 0 + k * 180, 128 + k * 127);
    }
}

// A small diamond between the rule and the lettering.
void Diamond(Surface& s, int cx, int cy)
{
    s.Put(cx, cy - 1, 170, 200, 255);
    s.Put(cx - 1, cy, 170, 200, 255);
    s.Put(cx, cy, 235, 245, 255);
    s.Put(cx + 1, cy, 170, 200, 255);
    s.Put(cx, cy + 1, 170, 200, 255);
}

bool WriteBitmap(const char* path, const unsigned char* bits)
{
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = kWidth;
    info.biHeight = kHeight;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = kStride * kHeight;
    info.biXPelsPerMeter = 2835;
    info.biYPelsPerMeter = 2835;
    file.bfType = 0x4d42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;

    FILE* f = std::fopen(path, "wb");
    if (!f) {
        return false;
    }
    bool ok = std::fwrite(&file, sizeof file, 1, f) == 1 && std::fwrite(&info, sizeof info, 1, f) == 1 &&
              std::fwrite(bits, info.biSizeImage, 1, f) == 1;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawtitle OUTPUT.bmp\n");
        return 2;
    }

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = kHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;

    Surface s;
    s.dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    s.dib = CreateDIBSection(s.dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!s.dc || !s.dib) {
        std::fprintf(stderr, "drawtitle: no drawing surface\n");
        return 1;
    }
    s.bits = static_cast<unsigned char*>(bits);
    HGDIOBJ oldBitmap = SelectObject(s.dc, s.dib);

    RECT all{0, 0, kWidth, kHeight};
    HBRUSH navy = CreateSolidBrush(kNavy);
    FillRect(s.dc, &all, navy);
    DeleteObject(navy);
    SetBkMode(s.dc, TRANSPARENT);

    HFONT name = MakeFont(14, FW_BOLD, true, "Times New Roman");
    HFONT words = MakeFont(12, FW_BOLD, false, "Times New Roman");
    const char* nameText = "Klarvo";
    const char* shown = "RAM & Disk Cleaner";

    const int gap = 8;
    const int nameWidth = TextWidth(s.dc, name, nameText);
    const int wordsWidth = TextWidth(s.dc, words, shown);
    const int total = nameWidth + gap + wordsWidth;
    const int left = (kWidth - total) / 2;

    GdiFlush();
    // Rules on both sides, ending in a diamond a few pixels from the text.
    // Mirrored about the middle; the right end stops short of the buttons.
    const int ruleY = 7;
    const int ruleMargin = 72;
    Rule(s, ruleMargin - 1, left - 12, ruleY, true);
    Diamond(s, left - 8, ruleY);
    Rule(s, left + total + 12, kWidth - ruleMargin, ruleY, false);
    Diamond(s, left + total + 8, ruleY);

    // A dark drop shadow keeps the light lettering crisp on the navy.
    Text(s.dc, name, left + 1, 0, RGB(0, 0, 40), nameText);
    Text(s.dc, name, left, -1, RGB(255, 255, 255), nameText);
    Text(s.dc, words, left + nameWidth + gap + 1, 2, RGB(0, 0, 40), shown);
    Text(s.dc, words, left + nameWidth + gap, 1, RGB(190, 210, 255), shown);
    GdiFlush();

    const bool ok = WriteBitmap(argv[1], s.bits);
    SelectObject(s.dc, oldBitmap);
    DeleteObject(s.dib);
    DeleteObject(name);
    DeleteObject(words);
    DeleteDC(s.dc);
    if (!ok) {
        std::fprintf(stderr, "drawtitle: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
