// Renders check controls in every look into PNG files for people to look
// at (`make screens`).

#include <gtest/gtest.h>

#include "controls/IACheckControl.h"
#include "framework/drawing/Bitmap.h"
#include "framework/window/Form.h"
#include "win/Gdi.h"
#include "framework/window/ImageList.h"
#include "framework/standard/StdCtrls.h"
#include "support/Png.h"
#include "support/Process.h"
#include "support/Pump.h"

#include "check_page.h"

#include <memory>
#include <string>

using namespace klarvo;

namespace {

using test::AddShellLook;
using test::CheckPage;

std::string OutDir()
{
    return test::ScreensDir("screens\\check");
}

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
    CheckPage page(640, 260);
    std::unique_ptr<ImageList> images = MakeImages();
    const TIACheckControlStyle styles[] = {iaccsStyle1, iaccsStyle1Small, iaccsStyle2, iaccsStyle3, iaccsBitmap};
    for (int col = 0; col < 5; ++col) {
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
    }
    page.Paint();
    page.Save(OutDir() + "styles.png");
}

TEST(CheckGallery, TextStylesAtThreeAngles)
{
    for (int angle : {0, 900, 1800}) {
        CheckPage page(660, 300);
        const char* names[] = {"Flat", "Raised", "Sunk"};
        for (int style = 0; style < 3; ++style) {
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
        }
        page.Paint();
        page.Save(OutDir() + "text3d_" + std::to_string(angle) + ".png");
    }
}

// The shell's own look over the page's tiled picture.
TEST(CheckGallery, SystemLook)
{
    CheckPage page(360, 150);
    AddShellLook(page);
    page.Paint();
    page.Save(OutDir() + "system.png");
}

} // namespace
