#include <gtest/gtest.h>

#include "support/GdiCount.h"

#include "controls/IACheckControl.h"
#include "framework/drawing/Bitmap.h"
#include "framework/loader/FormLoader.h"
#include "win/Error.h"
#include "win/Gdi.h"
#include "recording/RecordingCanvas.h"
#include "framework/standard/StdCtrls.h"
#include "support/Png.h"
#include "support/RealInput.h"

#include "check_page.h"
#include "framework_support.h"

using namespace klarvo;

namespace {

using klarvo::test::At;
using klarvo::test::ClickAt;
using klarvo::test::ExpectGdiCountFlat;
using klarvo::test::Pump;

// A shown form with controls on it; events of every control go to one log.
class CheckWindow : public test::FormTest {
protected:
    CheckWindow() : FormTest(40, 40, 400, 300) {}
    void SetUp() override
    {
        FormTest::SetUp();
        form->SetColor(Rgb(0, 128, 128));
    }

    TIACheckControl* Add(const std::string& name, TIACheckControlType type, int y, WinControl* parent = nullptr)
    {
        auto* c = FormTest::Add<TIACheckControl>(10, y, 120, 20, parent);
        c->SetName(name);
        c->SetControlType(type);
        c->SetStyle(iaccsStyle2);
        c->SetText(name);
        c->OnChangeState = [this](Component* s, bool on) { log.push_back(s->Name() + (on ? ":on" : ":off")); };
        c->OnClick = [this](Component* s) { log.push_back(s->Name() + ":click"); };
        c->OnDblClick = [this](Component* s) { log.push_back(s->Name() + ":dblclick"); };
        c->HandleNeeded();
        return c;
    }

    static void Click(TIACheckControl* c)
    {
        SendMessageA(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
        SendMessageA(c->Handle(), WM_LBUTTONUP, 0, At(5, 5));
    }
};

using Log = std::vector<std::string>;

TEST_F(CheckWindow, NewControlDefaults)
{
    TIACheckControl c(nullptr);
    EXPECT_EQ(c.Width(), 80);
    EXPECT_EQ(c.Height(), 20);
    EXPECT_EQ(c.ControlType(), iacctCheck);
    EXPECT_FALSE(c.Checked());
    EXPECT_EQ(c.Style(), iaccsStyle1Small);
    EXPECT_EQ(c.Text(), "CheckText");
    EXPECT_EQ(c.TextLines().Lines(), (std::vector<std::string>{"CheckText"}));
    EXPECT_TRUE(c.AutoSize());
    EXPECT_TRUE(c.Transparent());
    EXPECT_TRUE(c.ShowFocus());
    EXPECT_TRUE(c.TabStop());
    EXPECT_EQ(c.GapTextToImage(), 4);
    EXPECT_EQ(c.CheckFieldColor1(), Rgb(128, 128, 128));
    EXPECT_EQ(c.CheckFieldColor2(), Rgb(192, 192, 192));
    EXPECT_EQ(c.GetFont().Name(), "Times New Roman");
    EXPECT_FALSE(c.ParentFont());
}

TEST_F(CheckWindow, ClickOnRadioPairRaisesOffThenOnThenClick)
{
    TIACheckControl* rbfull = Add("rbfull", iacctSelect, 10);
    TIACheckControl* rbfast = Add("rbfast", iacctSelect, 40);
    TIACheckControl* box = Add("cbsame", iacctCheck, 70);
    TIACheckControl* other = Add("rbother", iacctSelect, 100);
    other->SetGroupIndex(1);
    auto panel = new Form(form.get(), "TCheckTestForm"); // another parent
    panel->SetBounds(200, 10, 150, 100);
    panel->Show();
    TIACheckControl* away = Add("rbaway", iacctSelect, 10, panel);
    for (TIACheckControl* c : {rbfull, box, other, away}) {
        c->SetChecked(true);
    }
    log.clear();

    Click(rbfast);
    EXPECT_EQ(log, (Log{"rbfull:off", "rbfast:on", "rbfast:click"}));
    EXPECT_TRUE(rbfast->Checked());
    EXPECT_FALSE(rbfull->Checked());
    EXPECT_TRUE(box->Checked()) << "check boxes are never in a radio group";
    EXPECT_TRUE(other->Checked()) << "another group index";
    EXPECT_TRUE(away->Checked()) << "another parent";

    // Already on: the group stays, only the click is raised.
    log.clear();
    Click(rbfast);
    EXPECT_EQ(log, (Log{"rbfast:click"}));
}

TEST_F(CheckWindow, StateChangesOnThePressNotTheRelease)
{
    TIACheckControl* box = Add("cb", iacctCheck, 10);
    SendMessageA(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(log, (Log{"cb:on"}));
    // Released away from the control: no click, and the state stays.
    SendMessageA(box->Handle(), WM_LBUTTONUP, 0, At(-50, -50));
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(log, (Log{"cb:on"}));
    EXPECT_TRUE(box->Focused());
}

TEST_F(CheckWindow, DoubleClickActivatesTwiceWithoutDblClick)
{
    TIACheckControl* box = Add("cb", iacctCheck, 10);
    Click(box);
    SendMessageA(box->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
    SendMessageA(box->Handle(), WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(log, (Log{"cb:on", "cb:click", "cb:off", "cb:click"}));
    EXPECT_FALSE(box->Checked());
}

TEST_F(CheckWindow, SpaceBarActsOnKeyUpWithoutClick)
{
    TIACheckControl* box = Add("cb", iacctCheck, 10);
    box->SetFocus();
    SendMessageA(box->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(log.empty()) << "nothing on key down";
    SendMessageA(box->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(log, (Log{"cb:on"}));
    SendMessageA(box->Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
    SendMessageA(box->Handle(), WM_KEYUP, VK_DOWN, 0xC0000001);
    EXPECT_EQ(log, (Log{"cb:on"})) << "no other key acts";

    // A key-up handler that clears the key keeps the state.
    box->OnKeyUp = [](Component*, unsigned short& key, ShiftState) { key = 0; };
    SendMessageA(box->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(CheckWindow, DisabledControlIgnoresMouseAndKeys)
{
    TIACheckControl* box = Add("cb", iacctCheck, 10);
    box->SetEnabled(false);
    Click(box);
    SendMessageA(box->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_FALSE(box->Checked());
    for (const std::string& entry : log) {
        EXPECT_EQ(entry.find(":o"), std::string::npos) << entry;
    }
}

TEST_F(CheckWindow, GroupRuleWaitsForTheParentWindow)
{
    Form loading(nullptr, "TCheckTestForm"); // no window yet, as while a stored form loads
    auto* a = new TIACheckControl(&loading);
    auto* b = new TIACheckControl(&loading);
    a->SetParent(&loading);
    b->SetParent(&loading);
    a->SetControlType(iacctSelect);
    b->SetControlType(iacctSelect);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(loading.HandleAllocated());
    EXPECT_TRUE(a->Checked());
    EXPECT_TRUE(b->Checked());
    loading.HandleNeeded();
    b->SetChecked(false);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
}

TEST_F(CheckWindow, BecomingARadioButtonTurnsTheGroupOff)
{
    TIACheckControl* radio = Add("rb", iacctSelect, 10);
    TIACheckControl* box = Add("cb", iacctCheck, 40);
    radio->SetChecked(true);
    box->SetChecked(true);
    log.clear();
    box->SetControlType(iacctSelect);
    EXPECT_FALSE(radio->Checked());
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(log, (Log{"rb:off"})) << "the changed control raises no event";
}

TEST_F(CheckWindow, TextAndLinesFollowEachOther)
{
    TIACheckControl* c = Add("cb", iacctCheck, 10);
    c->SetText("first\r\nsecond");
    EXPECT_EQ(c->TextLines().Lines(), (std::vector<std::string>{"first", "second"}));
    CheckTextLines lines;
    lines.Add("one");
    lines.Add("two");
    c->SetTextLines(&lines);
    EXPECT_EQ(c->Text(), "one\r\ntwo\r\n");
    lines.Add("three");
    EXPECT_EQ(c->TextLines().Count(), 2) << "the list is copied";
    // Editing the lines in place keeps the window text.
    c->TextLines().Add("extra");
    EXPECT_EQ(c->Text(), "one\r\ntwo\r\n");
    c->SetTextLines(nullptr);
    EXPECT_EQ(c->TextLines().Count(), 0);
    EXPECT_EQ(c->Text(), "");
}

TEST_F(CheckWindow, AssignCopiesStateThroughTheGroupRule)
{
    TIACheckControl* source = Add("rbsource", iacctSelect, 10);
    TIACheckControl* sibling = Add("rbsibling", iacctSelect, 40);
    TIACheckControl* target = Add("cbtarget", iacctCheck, 70);
    sibling->SetChecked(true);
    source->SetChecked(true); // turns the sibling off
    source->SetTextAngle(900);
    source->SetGapTextToImage(9);
    source->SetCheckFieldColor2(clLime);
    source->SetStyle(iaccsStyle3);
    target->SetTextAngle(450);
    log.clear();
    target->Assign(source);
    EXPECT_TRUE(target->Checked());
    EXPECT_FALSE(source->Checked());
    EXPECT_FALSE(sibling->Checked());
    EXPECT_EQ(log, (Log{"rbsource:off", "cbtarget:on"}));
    EXPECT_EQ(target->ControlType(), iacctSelect);
    EXPECT_EQ(target->TextAngle(), 450);
    EXPECT_EQ(target->GapTextToImage(), 9);
    EXPECT_EQ(target->CheckFieldColor2(), clLime);
    EXPECT_EQ(target->Style(), iaccsStyle3);
    EXPECT_EQ(target->Text(), "rbsource");
    EXPECT_EQ(target->Left(), 10);
    EXPECT_EQ(target->Top(), 70);

    Label label(nullptr);
    EXPECT_THROW(target->Assign(&label), klarvo::Error);
}

TEST_F(CheckWindow, SettersIgnoreUnchangedAndInvalidValues)
{
    TIACheckControl* c = Add("cb", iacctCheck, 10);
    c->SetTextAngle(5400);
    EXPECT_EQ(c->TextAngle(), 1800);
    c->SetStyle(static_cast<TIACheckControlStyle>(9));
    EXPECT_EQ(c->Style(), iaccsStyle2);
    c->SetTextFieldVerticalAlign(static_cast<TIACheckControlTextVAlign>(-1));
    EXPECT_EQ(c->TextFieldVerticalAlign(), iacctvaTop);
    c->SetChecked(false);
    EXPECT_TRUE(log.empty());
}

TEST_F(CheckWindow, WindowIsCutToFieldAndText)
{
    TIACheckControl* c = Add("cb", iacctCheck, 10);
    c->SetAutoSize(false);
    c->SetBounds(10, 10, 200, 60);
    const CheckLayout layout = c->Layout();
    const Size text = layout.BlockSize();
    ASSERT_GT(text.cx, 0);
    RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(c->Handle(), region.Get()), ERROR);
    EXPECT_TRUE(PtInRegion(region.Get(), 0, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 19, 19));
    EXPECT_FALSE(PtInRegion(region.Get(), 20, 19)) << "the gap";
    EXPECT_TRUE(PtInRegion(region.Get(), 24, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 24 + text.cx - 1, text.cy - 1));
    EXPECT_FALSE(PtInRegion(region.Get(), 24 + text.cx, 0));
    EXPECT_FALSE(PtInRegion(region.Get(), 5, 25));

    c->SetTransparent(false);
    EXPECT_EQ(GetWindowRgn(c->Handle(), region.Get()), ERROR) << "no region: the whole rectangle";
}

TEST_F(CheckWindow, ClicksOutsideTheShapeReachTheParent)
{
    TIACheckControl* c = Add("cb", iacctCheck, 10);
    c->SetAutoSize(false);
    c->SetBounds(10, 10, 200, 60);
    std::vector<std::string> formLog;
    form->OnMouseDown = [&](Component*, MouseButton, ShiftState, int x, int y) {
        formLog.push_back(std::to_string(x) + "," + std::to_string(y));
    };
    SetForegroundWindow(form->Handle());
    Pump();
    ClickAt(c->Handle(), 10, 40); // under the field, inside the control's rectangle
    EXPECT_EQ(formLog, (Log{"20,50"}));
    EXPECT_TRUE(log.empty());
    ClickAt(c->Handle(), 10, 10); // on the field
    EXPECT_EQ(log, (Log{"cb:on", "cb:click"}));
    EXPECT_EQ(formLog.size(), 1u);
}

TEST_F(CheckWindow, PaintDrawsTextLayersThenTheField)
{
    TIACheckControl* c = Add("cb", iacctCheck, 10);
    c->SetText("one\r\ntwo");
    c->SetEnabled(false);
    c->SetText3DStyle(iscct3dsUp);
    c->SetColor(Rgb(200, 200, 200));
    Font blue = c->GetFont();
    blue.SetColor(clBlue);
    c->SetFont(blue);
    RecordingCanvas canvas;
    c->PaintTo(canvas);
    const CheckLayout layout = c->Layout();
    EXPECT_EQ(c->Width(), layout.NeededSize().cx) << "auto size at paint";
    EXPECT_EQ(c->Height(), layout.NeededSize().cy);
    const auto texts = canvas.Only("WriteText");
    ASSERT_EQ(texts.size(), 6u);
    const Point second = layout.LineOutput(1);
    EXPECT_EQ(texts[3].text, "two");
    EXPECT_EQ(texts[3].args, (std::vector<int>{second.x + 1, second.y + 1}));
    EXPECT_EQ(texts[3].font.GetColor(), Rgb(140, 140, 140));
    EXPECT_EQ(texts[4].args, (std::vector<int>{second.x - 1, second.y - 1}));
    EXPECT_EQ(texts[4].font.GetColor(), Rgb(216, 216, 216));
    EXPECT_EQ(texts[5].font.GetColor(), Rgb(100, 100, 228)); // halfway between blue and the colour
    EXPECT_EQ(texts[5].font.Escapement(), 0);
    EXPECT_EQ(texts[5].brush.style, BrushStyle::Clear);
    // The field comes last, over the text.
    EXPECT_EQ(canvas.calls.back().op, "Polygon");
}

TEST_F(CheckWindow, FocusFrameOnlyWhileFocusedAndEnabled)
{
    TIACheckControl* c = Add("Focus frame", iacctCheck, 10);
    c->SetStyle(iaccsStyle1Small);
    c->SetColor(Rgb(200, 200, 200));
    EXPECT_TRUE(GetWindowLongA(c->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    const auto framePixel = [&] {
        RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        WindowDc dc(c->Handle());
        return test::ReadDcPixels(dc.Get(), 22, 2, 1, 1).at(0); // the frame's first corner
    };
    const std::uint32_t dark = 0x8C8C8C; // the colour moved 30 % toward black
    c->SetFocus();
    ASSERT_TRUE(c->Focused());
    EXPECT_EQ(framePixel(), dark);
    c->SetShowFocus(false);
    EXPECT_NE(framePixel(), dark);
    c->SetShowFocus(true);
    c->SetEnabled(false);
    EXPECT_NE(framePixel(), dark);
}

TEST_F(CheckWindow, FreedImageListIsNoLongerDrawn)
{
    TIACheckControl* c = Add("cb", iacctCheck, 10);
    auto* images = new ImageList(form.get(), 24, 24);
    Bitmap strip(96, 24);
    images->AddStrip(strip);
    c->SetStyle(iaccsBitmap);
    c->SetImageList(images);
    EXPECT_EQ(c->Layout().FieldSize(), (Size{24, 24}));
    delete images;
    EXPECT_EQ(c->GetImageList(), nullptr);
    EXPECT_EQ(c->Layout().FieldSize(), (Size{20, 20}));
    RecordingCanvas canvas;
    c->PaintTo(canvas);
    EXPECT_TRUE(canvas.Only("Draw").empty());
    EXPECT_TRUE(canvas.Only("DrawPart").empty());
}

TEST(CheckForm, StoredRadioPairLoadsWithBothOn)
{
    RegisterIACheckControl(StandardFormClasses());
    const char* description = R"(object fmcheck: TForm
  Width = 300
  Height = 100
  object rbfull: TIACheckControl
    Left = 8
    Top = 8
    Width = 120
    Height = 20
    Font.Color = clNavy
    ControlType = iacctSelect
    TextLines.Strings = ('Full cleaning')
    Checked = True
    Style = iaccsStyle2
    CheckFieldColor2 = clYellow
    ShowFocus = False
    AutoSize = False
  end
  object rbfast: TIACheckControl
    Left = 8
    Top = 40
    Width = 120
    Height = 20
    ControlType = iacctSelect
    TextLines.Strings = ('Fast cleaning')
    Checked = True
    AutoSize = False
  end
end
)";
    Form form(nullptr, "TCheckTestForm");
    FormLoader(StandardFormClasses(), nullptr).Load(description, form);
    auto* full = dynamic_cast<TIACheckControl*>(form.FindComponent("rbfull"));
    auto* fast = dynamic_cast<TIACheckControl*>(form.FindComponent("rbfast"));
    ASSERT_TRUE(full && fast);
    EXPECT_TRUE(full->Checked());
    EXPECT_TRUE(fast->Checked()) << "no group rule while the form loads";
    EXPECT_EQ(full->Text(), "Full cleaning\r\n");
    EXPECT_EQ(full->Style(), iaccsStyle2);
    EXPECT_EQ(full->CheckFieldColor2(), clYellow);
    EXPECT_FALSE(full->AutoSize());
    EXPECT_EQ(full->Width(), 120);
    EXPECT_EQ(full->GetFont().GetColor(), clNavy);
    EXPECT_EQ(full->GetFont().Name(), "Times New Roman");
}

TEST_F(CheckWindow, ManyPaintsLeaveGdiObjectsFlat)
{
    TIACheckControl* c = Add("cb", iacctCheck, 10);
    c->SetTextAngle(900);
    c->SetShowFocus(true);
    c->SetChecked(true);
    c->SetText("rotated\r\ntext");
    c->SetFocus();
    auto* label = new Label(form.get());
    label->SetParent(form.get());
    label->SetBounds(0, 0, 100, 100);
    label->SetCaption("beneath");
    ExpectGdiCountFlat({"a rotated, focused check control over a label",
                        [&] {
                            for (int i = 0; i < 20; ++i) {
                                c->Repaint();
                            }
                        },
                        [&](int i) {
                            if (i % 100 == 0) {
                                c->SetText3DStyle(static_cast<TIACheckControlText3DStyle>((i / 100) % 3));
                            }
                            RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                        },
                        3000});
}

// The shell's own look over the page's tiled picture: what lies outside the
// field and the text shows the page.
TEST(CheckPageLook, ShellLookBlendsIntoThePage)
{
    test::CheckPage page(360, 150);
    test::AddShellLook(page);
    page.Paint();

    // Beside the field and below the text, inside the control's rectangle.
    EXPECT_EQ(page.Pixel(12 + 21, 100 + 25), page.TilePixel(12 + 21, 100 + 25));
    EXPECT_EQ(page.Pixel(12 + 200, 100 + 2), page.TilePixel(12 + 200, 100 + 2));
    // Right of the text of a cut control.
    EXPECT_EQ(page.Pixel(220 + 125, 12 + 28 + 5), page.TilePixel(220 + 125, 12 + 28 + 5));
    // The lime tick of the first box and the yellow one of the first radio.
    EXPECT_EQ(page.Pixel(12 + 10, 12 + 11), 0x00FF00u);
    EXPECT_EQ(page.Pixel(220 + 11, 12 + 11), 0xFFFF00u);
}

} // namespace
