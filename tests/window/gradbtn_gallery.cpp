// Renders gradient buttons in every scheme, gradient style and state, a
// digit edit and a hint window into PNG files for people to look at.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/CoolHint.h"
#include "controls/GradBtn.h"
#include "controls/NDigitEdit.h"
#include "framework/window/Application.h"
#include "framework/drawing/Bitmap.h"
#include "framework/window/Form.h"
#include "win/Gdi.h"
#include "framework/window/Messages.h"
#include "support/Png.h"
#include "support/Process.h"
#include "support/TempDir.h"

using namespace klarvo;

namespace {

std::string OutDir()
{
    return test::ScreensDir("screens\\grad");
}

enum class Look { Enabled, Disabled, Pressed, DownLocked, Hot, Focused };
const Look kLooks[] = {Look::Enabled, Look::Disabled, Look::Pressed, Look::DownLocked, Look::Hot, Look::Focused};
const char* const kLookNames[] = {"enabled", "disabled", "pressed", "down-locked", "hot", "focused"};

// A sheet of cells, each one button in one look, with a grey gutter.
class Sheet {
public:
    Sheet(int columns, int rows, int cellWidth, int cellHeight)
        : cellWidth_(cellWidth), cellHeight_(cellHeight),
          bitmap_(columns * (cellWidth + kGap) + kGap, rows * (cellHeight + kGap) + kGap)
    {
        Canvas& c = bitmap_.GetCanvas();
        c.brush.color = Rgb(212, 208, 200);
        c.FillRect(Rect{0, 0, bitmap_.Width(), bitmap_.Height()});
    }
    void Put(int column, int row, const Bitmap& cell)
    {
        bitmap_.GetCanvas().Draw(kGap + column * (cellWidth_ + kGap), kGap + row * (cellHeight_ + kGap), cell);
    }
    void Save(const std::string& name)
    {
        test::SaveDcToPng(bitmap_.Dc(), 0, 0, bitmap_.Width(), bitmap_.Height(), OutDir() + name);
    }

private:
    static constexpr int kGap = 6;
    int cellWidth_, cellHeight_;
    Bitmap bitmap_;
};

class GradBtnGallery : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<Form>(nullptr, "TGradGallery");
        form->SetBorderStyle(BorderStyle::None);
        form->SetBounds(20, 20, 400, 200);
        focusSink = new TGradBtn(form.get());
        focusSink->SetParent(form.get());
        focusSink->SetBounds(300, 150, 40, 20);
        form->Show();
        App().ProcessMessages();
    }
    void TearDown() override
    {
        form.reset();
        App().ProcessMessages();
    }

    TGradBtn* NewButton(int width, int height, const std::string& caption)
    {
        auto* b = new TGradBtn(form.get());
        b->SetParent(form.get());
        b->SetBounds(10, 10, width, height);
        b->SetCaption(caption);
        return b;
    }

    // The button's face in one look, as it paints on screen.
    Bitmap Render(TGradBtn* b, Look look)
    {
        focusSink->SetFocus();
        const HWND hwnd = b->Handle();
        switch (look) {
        case Look::Disabled:
            b->SetEnabled(false);
            break;
        case Look::Pressed:
            SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            break;
        case Look::DownLocked:
            b->SetDownLock(true);
            break;
        case Look::Hot:
            b->Perform(CM_MOUSEENTER, 0, 0);
            break;
        case Look::Focused:
            b->SetFocus();
            break;
        case Look::Enabled:
            break;
        }
        App().ProcessMessages();
        Bitmap face(b->Width(), b->Height());
        b->PaintTo(face.GetCanvas());
        switch (look) {
        case Look::Disabled:
            b->SetEnabled(true);
            break;
        case Look::Pressed:
            // Released far outside: no click, the button rises.
            SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
            break;
        case Look::DownLocked:
            b->SetDownLock(false);
            break;
        case Look::Hot:
            b->Perform(CM_MOUSELEAVE, 0, 0);
            break;
        default:
            break;
        }
        return face;
    }

    std::unique_ptr<Form> form;
    TGradBtn* focusSink = nullptr;
};

TEST_F(GradBtnGallery, EverySchemeInEveryLook)
{
    const char* const names[] = {"None", "GoldCoast", "LimeBox", "Aluminum", "SunRise", "BrassedOff"};
    Sheet sheet(6, 6, 137, 25);
    for (int preset = 0; preset < 6; ++preset) {
        TGradBtn* b = NewButton(137, 25, std::string("&") + names[preset]);
        b->SetPresets(preset);
        for (int look = 0; look < 6; ++look) {
            sheet.Put(look, preset, Render(b, kLooks[look]));
        }
        delete b;
    }
    sheet.Save("gradbtn_presets.png");
    EXPECT_TRUE(test::FileExists(OutDir() + "gradbtn_presets.png"));
}

TEST_F(GradBtnGallery, EveryGradientStyleInEveryLook)
{
    const char* const names[] = {"gsHorizontal", "gsVertical",   "gsElliptic",
                                 "gsRectangle",  "gsVertCenter", "gsHorizCenter"};
    Sheet sheet(6, 6, 137, 25);
    for (int style = 0; style < 6; ++style) {
        TGradBtn* b = NewButton(137, 25, names[style]);
        b->SetGradientStyle(static_cast<TGradientStyle>(style));
        for (int look = 0; look < 6; ++look) {
            sheet.Put(look, style, Render(b, kLooks[look]));
        }
        delete b;
    }
    sheet.Save("gradbtn_styles.png");
    EXPECT_TRUE(test::FileExists(OutDir() + "gradbtn_styles.png"));
}

TEST_F(GradBtnGallery, ShellButtonsAsStored)
{
    // A page button, the page row's look and the window's own buttons, as
    // the shell keeps them: plain captions at run time.
    Sheet sheet(6, 2, 137, 21);
    for (int look = 0; look < 6; ++look) {
        TGradBtn* page = NewButton(137, 21, "Auto RAM cleaning");
        page->SetPresets(TPreset::Aluminum);
        page->SetSwapColors(false);
        page->SetShowFocus(false);
        page->GetFont().SetHeight(13);
        page->GetFont().SetStyle(fsBold | fsItalic);
        page->SetTextStyle(tsNormal);
        sheet.Put(look, 0, Render(page, kLooks[look]));
        delete page;
        for (int i = 0; i < 2; ++i) {
            TGradBtn* window = NewButton(19, 11, i == 0 ? "x" : "-");
            window->SetGradientStyle(gsHorizontal);
            window->SetBeginColor(Rgb(192, 192, 192));
            window->SetEndColor(Rgb(85, 85, 85));
            window->SetSwapColors(false);
            window->SetShowFocus(false);
            window->SetTextStyle(tsNormal);
            Bitmap face = Render(window, kLooks[look]);
            Bitmap cell(137, 21);
            cell.GetCanvas().brush.color = Rgb(212, 208, 200);
            cell.GetCanvas().FillRect(Rect{0, 0, 137, 21});
            cell.GetCanvas().Draw(4 + i * 24, 5, face);
            sheet.Put(look, 1, cell);
            delete window;
        }
    }
    sheet.Save("gradbtn_shell.png");
}

TEST_F(GradBtnGallery, DigitEdit)
{
    auto* edit = new TNDigitEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 33, 23);
    edit->SetReadOnly(true);
    edit->SetColor(clBtnFace);
    edit->GetFont().SetName("Times New Roman");
    edit->GetFont().SetHeight(13);
    edit->GetFont().SetStyle(fsBold);
    edit->SetValue(15);
    App().ProcessMessages();
    edit->Repaint();
    form->Repaint();
    App().ProcessMessages();
    WindowDc dc(form->Handle());
    test::SaveDcToPng(dc.Get(), 0, 0, 60, 43, OutDir() + "digit_edit.png");
    EXPECT_TRUE(test::FileExists(OutDir() + "digit_edit.png"));
}

TEST_F(GradBtnGallery, HintWindowWithAOneLineHint)
{
    TddgHintWindow hint;
    hint.ActivateHint(Rect{100, 100, 160, 115}, "Free RAM");
    hint.Repaint();
    App().ProcessMessages();
    const int w = hint.Width(), h = hint.Height();
    std::vector<std::uint32_t> pixels = test::ReadDcPixels(WindowDc(hint.Handle()).Get(), 0, 0, w, h);
    // What lies outside the window's shape is not on screen: show it as the
    // desktop would, in white.
    RegionHandle shape(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(hint.Handle(), shape.Get()), ERROR);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!PtInRegion(shape.Get(), x, y)) {
                pixels[static_cast<std::size_t>(y) * w + x] = 0xFFFFFF;
            }
        }
    }
    test::WritePng(OutDir() + "hint_window.png", w, h, pixels);
}

} // namespace
