#pragma once

// Check controls on a page like the shell's: a form whose whole face is a
// tiled picture box. Shared by the window tests and the gallery.

#include "controls/IACheckControl.h"
#include "framework/drawing/Bitmap.h"
#include "framework/window/Form.h"
#include "win/Gdi.h"
#include "framework/standard/StdCtrls.h"
#include "support/Png.h"
#include "support/Pump.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace klarvo::test {

// A 32-pixel tile of the page background: diagonal bands of two greens.
inline Bitmap MakeTile()
{
    Bitmap tile(32, 32);
    Canvas& c = tile.GetCanvas();
    c.pen.style = PenStyle::Clear;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; x += 4) {
            c.brush.color = ((x + y) / 8) % 2 ? Rgb(64, 112, 96) : Rgb(150, 190, 170);
            c.FillRect(Rect{x, y, x + 4, y + 1});
        }
    }
    return tile;
}

class CheckPage {
public:
    CheckPage(int width, int height) : form(std::make_unique<Form>(nullptr, "TCheckPage")), tile(MakeTile())
    {
        form->SetBorderStyle(BorderStyle::None);
        form->SetBounds(0, 0, width, height);
        auto* box = new PaintBox(form.get());
        box->SetParent(form.get());
        box->SetBounds(0, 0, width, height);
        box->OnPaint = [this, box](Component*) {
            Canvas& c = box->GetCanvas();
            for (int y = 0; y < box->Height(); y += tile.Height()) {
                for (int x = 0; x < box->Width(); x += tile.Width()) {
                    c.Draw(x, y, tile);
                }
            }
        };
        form->Show();
    }

    // A check box in bold blue 16-pixel text.
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

    // Paints everything (twice: auto size settles in the first paint) and
    // reads the result.
    void Paint()
    {
        for (int i = 0; i < 2; ++i) {
            RedrawWindow(form->Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            Pump();
        }
        WindowDc dc(form->Handle());
        pixels = ReadDcPixels(dc.Get(), 0, 0, form->Width(), form->Height());
    }
    // The last painting as a PNG file.
    void Save(const std::string& path) const { WritePng(path, form->Width(), form->Height(), pixels); }

    // 0x00RRGGBB at a form point, from the last painting.
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

// The shell's own look on a 360 x 150 page: lens fields, bold blue text,
// lime and yellow marks, and one box not cut to its shape at (12, 100).
inline void AddShellLook(CheckPage& page)
{
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
    }
    TIACheckControl* solid = page.Add(12, 100, "Not cut to shape");
    solid->SetStyle(iaccsStyle2);
    solid->SetTransparent(false);
    solid->SetAutoSize(false);
    solid->SetBounds(12, 100, 220, 30);
    solid->SetColor(clRed);
}

} // namespace klarvo::test
