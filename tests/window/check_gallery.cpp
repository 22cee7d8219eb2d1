// Renders check controls in every look into PNG files for people to look
// at, and checks a few pixels that show the control blending into its page.

#include <gtest/gtest.h>

#include "controls/IACheckControl.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "win/Gdi.h"
#include "framework/ImageList.h"
#include "framework/StdCtrls.h"
#include "support/Png.h"
#include "support/Process.h"

#include <memory>
#include <string>

using namespace klarvo;

namespace {

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string OutDir()
{
    std::string dir = test::TestArgument("out");
    dir = dir.empty() ? std::string("screens\\check") : test::WindowsPathOf(dir);
    test::MakeDirectories(dir);
    return dir + "\\";
}

// A 32-pixel tile of the page background: diagonal bands of two greens.
Bitmap MakeTile()
{
    Bitmap tile(32, 32);
    Canvas& c = tile.GetCanvas();
    c.pen.style = PenStyle::Clear;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; x += 4) {
            c.brush.color = ((x + y) / 8) % 2 ? Rgb(64, 112, 96) : Rgb(150, 190, 170);
            c.FillRect(Rect{x, y, x + 4, y + 1});
        }
    return tile;
}

// A form whose whole face is a tiled picture box, as on the shell's pages.
class Page {
public:
    Page(int width, int height) : form(std::make_unique<Form>(nullptr, "TCheckGallery")), tile(MakeTile())
    {
        form->SetBorderStyle(BorderStyle::None);
        form->SetBounds(0, 0, width, height);
        auto* box = new PaintBox(form.get());
        box->SetParent(form.get());
        box->SetBounds(0, 0, width, height);
        box->OnPaint = [this, box](Component*) {
            Canvas& c = box->GetCanvas();
            for (int y = 0; y < box->Height(); y += tile.Height())
                for (int x = 0; x < box->Width(); x += tile.Width())
                    c.Draw(x, y, tile);
        };
        form->Show();
    }

    TIACheckControl* Add(int x, int y, const std::string& text)
    {
        auto* c = new TIACheckControl(form.get());
        c->SetParent(form.get());
        c->SetLeft(x);
        c->SetTop(y);
        c->SetText(text);
        Font f = c->GetFont();
        f.SetHeight(16);
        f.SetStyle(fsBold);
        f.SetColor(clBlue);
        c->SetFont(f);
        return c;
    }

    // Paints everything (twice: auto size settles in the first paint) and saves it.
    void Save(const std::string& name)
    {
        for (int i = 0; i < 2; ++i) {
            RedrawWindow(form->Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            Pump();
        }
        WindowDc dc(form->Handle());
        test::SaveDcToPng(dc.Get(), 0, 0, form->Width(), form->Height(), OutDir() + name);
        pixels = test::ReadDcPixels(dc.Get(), 0, 0, form->Width(), form->Height());
    }
    // 0x00RRGGBB at a form point, from the last save.
    std::uint32_t Pixel(int x, int y) const { return pixels.at(static_cast<std::size_t>(y * form->Width() + x)); }
    std::uint32_t TilePixel(int x, int y) const
    {
        const Color c = tile.Pixel(x % 32, y % 32);
        return (RedOf(c) << 16) | (GreenOf(c) << 8) | BlueOf(c);
    }

    std::unique_ptr<Form> form;
    Bitmap tile;
    std::vector<std::uint32_t> pixels;
};

std::unique_ptr<ImageList> MakeImages()
{
    auto images = std::make_unique<ImageList>(nullptr, 16, 16);
    Bitmap strip(64, 16);
    Canvas& c = strip.GetCanvas();
    const Color faces[4] = {Rgb(220, 220, 220), Rgb(40, 160, 40), Rgb(170, 170, 170), Rgb(110, 140, 110)};
    c.brush.color = clFuchsia;
    c.FillRect(Rect{0, 0, 64, 16});
    for (int i = 0; i < 4; ++i) {
        c.brush.color = faces[i];
        c.pen.color = clBlack;
        c.Ellipse(i * 16 + 1, 1, i * 16 + 15, 15);
    }
    images->AddStrip(strip);
    return images;
}

TEST(CheckGallery, EveryStyleAndState)
{
    Page page(640, 260);
    std::unique_ptr<ImageList> images = MakeImages();
    const TIACheckControlStyle styles[] = {iaccsStyle1, iaccsStyle1Small, iaccsStyle2, iaccsStyle3, iaccsBitmap};
    for (int col = 0; col < 5; ++col)
        for (int row = 0; row < 8; ++row) {
            const bool radio = row >= 4, on = row % 2 == 1, enabled = row % 4 < 2;
            TIACheckControl* c =
                page.Add(8 + col * 126, 8 + row * 30, std::string(on ? "on" : "off") + (enabled ? "" : " dis."));
            c->SetStyle(styles[col]);
            c->SetImageList(images.get());
            c->SetControlType(radio ? iacctSelect : iacctCheck);
            c->SetGroupIndex(static_cast<std::uint32_t>(row * 10 + col));
            c->SetChecked(on);
            c->SetEnabled(enabled);
            c->SetCheckFieldColor2(radio ? clYellow : clLime);
        }
    page.Save("styles.png");
}

TEST(CheckGallery, TextStylesAtThreeAngles)
{
    for (int angle : {0, 900, 1800}) {
        Page page(660, 300);
        const char* names[] = {"Flat", "Raised", "Sunk"};
        for (int style = 0; style < 3; ++style)
            for (int enabled = 0; enabled < 2; ++enabled) {
                const bool upright = angle == 900;
                const int x = upright ? 10 + (style * 2 + enabled) * 108 : 10 + enabled * 320;
                const int y = upright ? 10 : 10 + style * 90;
                TIACheckControl* c =
                    page.Add(x, y, std::string(names[style]) + (enabled ? " text" : " disabled") + "\r\nsecond line");
                c->SetStyle(iaccsStyle2);
                c->SetTextAngle(angle);
                c->SetText3DStyle(static_cast<TIACheckControlText3DStyle>(style));
                c->SetEnabled(enabled == 1);
                c->SetChecked(true);
                c->SetCheckFieldColor2(clLime);
                c->SetTextAlign(iaccthaCenter);
            }
        page.Save("text3d_" + std::to_string(angle) + ".png");
    }
}

// The shell's own look: lens fields, bold blue Times New Roman, lime and
// yellow marks, over the page's tiled picture.
TEST(CheckGallery, SystemLookBlendsIntoThePage)
{
    Page page(360, 150);
    const char* boxes[] = {"Auto RAM cleaning", "Temporary files", "Cookies"};
    for (int i = 0; i < 3; ++i) {
        TIACheckControl* c = page.Add(12, 12 + i * 28, boxes[i]);
        c->SetStyle(iaccsStyle2);
        c->SetShowFocus(false);
        c->SetAutoSize(false);
        c->SetBounds(12, 12 + i * 28, 200, 20);
        c->SetCheckFieldColor2(clLime);
        c->SetChecked(i != 1);
        c->SetCursor(crHandPoint);
    }
    const char* radios[] = {"Full cleaning", "Fast cleaning"};
    TIACheckControl* last = nullptr;
    for (int i = 0; i < 2; ++i) {
        TIACheckControl* c = page.Add(220, 12 + i * 28, radios[i]);
        c->SetStyle(iaccsStyle2);
        c->SetControlType(iacctSelect);
        c->SetShowFocus(false);
        c->SetAutoSize(false);
        c->SetBounds(220, 12 + i * 28, 130, 20);
        c->SetCheckFieldColor2(clYellow);
        Font f = c->GetFont();
        f.SetColor(clNavy);
        c->SetFont(f);
        c->SetChecked(i == 0);
        last = c;
    }
    // A box not cut to its shape still shows the page around its text.
    TIACheckControl* solid = page.Add(12, 100, "Not cut to shape");
    solid->SetStyle(iaccsStyle2);
    solid->SetTransparent(false);
    solid->SetAutoSize(false);
    solid->SetBounds(12, 100, 220, 30);
    solid->SetColor(clRed);
    page.Save("system.png");

    // Beside the field and below the text, inside the control's rectangle.
    EXPECT_EQ(page.Pixel(12 + 21, 100 + 25), page.TilePixel(12 + 21, 100 + 25));
    EXPECT_EQ(page.Pixel(12 + 200, 100 + 2), page.TilePixel(12 + 200, 100 + 2));
    // Right of the text of a cut control.
    EXPECT_EQ(page.Pixel(220 + 125, 12 + 28 + 5), page.TilePixel(220 + 125, 12 + 28 + 5));
    // The lime tick of the first box and the yellow one of the first radio.
    EXPECT_EQ(page.Pixel(12 + 10, 12 + 11), 0x00FF00u);
    (void)last;
}

} // namespace
