#include <gtest/gtest.h>

#include "support/GdiCount.h"

#include "framework/drawing/Bitmap.h"
#include "win/Gdi.h"
#include "framework/standard/StdCtrls.h"
#include "framework/standard/StdWindows.h"
#include "framework/window/WinControl.h"
#include "framework_support.h"

#include <atomic>
#include <stdexcept>
#include <thread>

using namespace klarvo;
using namespace klarvo::test;

namespace {

std::string Xy(int x, int y)
{
    return std::to_string(x) + "," + std::to_string(y);
}

// Logs what the framework asks of it; windowless or windowed.
template <typename Base> class Probe : public Base {
public:
    Probe(Component* owner, const std::string& name, std::vector<std::string>& log, Color face)
        : Base(owner), log_(log), face_(face)
    {
        this->SetName(name);
    }
    void MouseDown(MouseButton b, ShiftState s, int x, int y) override
    {
        log_.push_back(this->Name() + ":down " + Xy(x, y));
        Base::MouseDown(b, s, x, y);
    }
    void MouseUp(MouseButton b, ShiftState s, int x, int y) override
    {
        log_.push_back(this->Name() + ":up " + Xy(x, y));
        Base::MouseUp(b, s, x, y);
    }
    void Click() override
    {
        log_.push_back(this->Name() + ":click");
        Base::Click();
    }
    void MouseEnter() override
    {
        log_.push_back(this->Name() + ":enter");
        Base::MouseEnter();
    }
    void MouseLeave() override
    {
        log_.push_back(this->Name() + ":leave");
        Base::MouseLeave();
    }

protected:
    void Paint() override
    {
        log_.push_back(this->Name() + ":paint");
        Canvas& c = this->GetCanvas();
        c.brush.color = face_;
        c.FillRect(this->ClientRect());
    }
    std::vector<std::string>& log_;
    Color face_;
};

using Windowless = Probe<GraphicControl>;

class Windowed : public Probe<CustomControl> {
public:
    using Probe::Probe;
    bool DialogChar(char ch) override
    {
        if (IsAccel(ch, Text())) {
            Click();
            return true;
        }
        return CustomControl::DialogChar(ch);
    }

protected:
    void DoEnter() override
    {
        log_.push_back(Name() + ":focus");
        CustomControl::DoEnter();
    }
};

// A control that paints through an off-screen surface with pens, brushes
// and fonts, the way the custom buttons do.
class Busy : public CustomControl {
public:
    using CustomControl::CustomControl;

protected:
    void Paint() override
    {
        Canvas& c = surface_.Begin(Width(), Height());
        c.brush.color = Rgb(10, 20, static_cast<unsigned>(n_++ % 200));
        c.FillRect(ClientRect());
        c.pen.color = clBtnShadow;
        c.pen.width = 1 + n_ % 2;
        c.Ellipse(2, 2, Width() - 2, Height() - 2);
        Rect r = ClientRect();
        c.Frame3D(r, clBtnHighlight, clBtnShadow, 2);
        c.font.SetName("Arial");
        c.font.SetHeight(11 + n_ % 3);
        c.brush.style = BrushStyle::Clear;
        Rect t{4, 4, 4, 4};
        c.TextRect("&Paint", t, DT_CALCRECT | DT_SINGLELINE);
        c.TextRect("&Paint", t, DT_SINGLELINE);
        c.brush.style = BrushStyle::Solid;
        c.DrawFocusRect(Rect{2, 2, Width() - 2, Height() - 2});
        surface_.CopyTo(GetCanvas());
    }

private:
    OffscreenBitmap surface_;
    unsigned n_ = 0;
};

COLORREF PixelOf(HWND hwnd, int x, int y)
{
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

class WindowTest : public FormTest {
protected:
    // A logging control of kind T on the form.
    template <typename T> T* Put(const char* name, Color face, int left, int top, int width, int height)
    {
        auto* c = new T(form.get(), name, log, face);
        c->SetParent(form.get());
        c->SetBounds(left, top, width, height);
        return c;
    }
};

TEST_F(WindowTest, PaintsWindowlessChildrenInChildOrderOverTheParent)
{
    Put<Windowless>("a", clRed, 10, 10, 40, 40);
    Put<Windowless>("b", clBlue, 30, 30, 40, 40);
    auto* hidden = Put<Windowless>("hidden", clLime, 0, 0, 100, 100);
    hidden->Hide();
    log.clear();
    form->Repaint();

    EXPECT_EQ(log, (std::vector<std::string>{"a:paint", "b:paint"}));
    EXPECT_EQ(PixelOf(Hwnd(), 15, 15), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(Hwnd(), 35, 35), RGB(0, 0, 255)); // the later child lies on top
    EXPECT_EQ(PixelOf(Hwnd(), 200, 150), ColorToRGB(clBtnFace));
}

// A windowless child gets the mouse in its own coordinates; only the left
// button's release over it is a click, and every release reaches it.
TEST_F(WindowTest, RoutesTheMouseToAWindowlessChildAndALeftReleaseOverItClicks)
{
    auto* a = Put<Windowless>("a", clRed, 20, 30, 50, 50);
    const struct {
        const char* what;
        bool left;
        int upX, upY;
        std::vector<std::string> log;
    } cases[] = {
        // The click of a release comes before the mouse-up of the same release.
        {"left, released over it", true, 26, 37, {"a:down 5,5", "a:click", "a:up 6,7"}},
        {"left, released outside", true, 200, 150, {"a:down 5,5", "a:up 180,120"}},
        {"right", false, 25, 35, {"a:down 5,5", "a:up 5,5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        log.clear();
        Send(c.left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, c.left ? MK_LBUTTON : MK_RBUTTON, At(25, 35));
        EXPECT_EQ(a->Clicked(), c.left);
        Send(c.left ? WM_LBUTTONUP : WM_RBUTTONUP, 0, At(c.upX, c.upY));
        EXPECT_EQ(log, c.log);
        EXPECT_FALSE(a->Clicked());
    }
}

TEST_F(WindowTest, HoverEntersAndLeavesWindowlessAndWindowedControls)
{
    Put<Windowless>("a", clRed, 10, 10, 40, 40);
    auto* w = Put<Windowed>("w", clBlue, 100, 10, 40, 40);
    log.clear();

    Send(WM_MOUSEMOVE, 0, At(20, 20));
    Send(WM_MOUSEMOVE, 0, At(21, 22)); // still inside: nothing new
    Send(WM_MOUSEMOVE, 0, At(200, 150));
    SendMessageA(w->Handle(), WM_MOUSEMOVE, 0, At(5, 5));
    SendMessageA(w->Handle(), WM_MOUSELEAVE, 0, 0);

    EXPECT_EQ(log, (std::vector<std::string>{"a:enter", "a:leave", "w:enter", "w:leave"}));
}

TEST_F(WindowTest, PressedControlSeesLeaveAndEnterWhileTheButtonIsHeld)
{
    auto* w = Put<Windowed>("w", clBlue, 100, 10, 40, 40);
    HWND h = w->Handle();
    SendMessageA(h, WM_MOUSEMOVE, 0, At(5, 5));
    log.clear();

    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(GetCapture(), h);
    // Dragged out over the form (the capture keeps the messages coming to w).
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At(-50, 100));
    EXPECT_TRUE(w->Clicked());
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At(6, 6));
    SendMessageA(h, WM_LBUTTONUP, 0, At(6, 6));

    EXPECT_EQ(log, (std::vector<std::string>{"w:down 5,5", "w:leave", "w:enter", "w:click", "w:up 6,6"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WindowTest, AnExceptionInAHandlerGoesToTheErrorBoxAndTheWindowLivesOn)
{
    std::vector<std::string> boxes;
    App().SetMessageBoxFunction([&](HWND, const std::string& text, const std::string&, UINT flags) {
        boxes.push_back(text);
        EXPECT_EQ(flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
        return IDOK;
    });
    auto* w = Put<Windowed>("w", clBlue, 100, 10, 40, 40);
    int clicks = 0;
    w->OnClick = [&](Component*) {
        ++clicks;
        throw std::runtime_error("disk full");
    };

    SendMessageA(w->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageA(w->Handle(), WM_LBUTTONUP, 0, At(5, 5));
    SendMessageA(w->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageA(w->Handle(), WM_LBUTTONUP, 0, At(5, 5));

    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(boxes, (std::vector<std::string>{"disk full", "disk full"}));
    EXPECT_TRUE(IsWindow(w->Handle()));
}

TEST(WindowProcedure, AttachesTheObjectAtCreationAndKnowsOnlyThisProgramsWindows)
{
    // A sizeable top-level window gets WM_GETMINMAXINFO before WM_NCCREATE.
    class Recorder : public Form {
    public:
        using Form::Form;
        std::vector<UINT> seen;

    protected:
        LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override
        {
            seen.push_back(msg);
            return Form::WndProc(msg, wParam, lParam);
        }
    };
    Recorder form(nullptr, "TFrameworkRecorder");
    ASSERT_TRUE(form.Handle());
    ASSERT_FALSE(form.seen.empty());
    EXPECT_EQ(form.seen.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(WinControl::FromHandle(form.Handle()), &form);

    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(other);
    SetWindowLongPtrA(other, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
    EXPECT_EQ(WinControl::FromHandle(other), nullptr);
    DestroyWindow(other);
}

TEST(WindowProcedure, ANotificationFromAnotherThreadIsNotReadAsAPointer)
{
    Form form(nullptr, "TFrameworkNotified");
    ASSERT_TRUE(form.Handle());
    // An address that means nothing here, as a block from another process.
    std::atomic<LRESULT> answer{-1};
    std::thread sender([&] { answer = SendMessageA(form.Handle(), WM_NOTIFY, 0, 0x10); });
    EXPECT_TRUE(WaitUntil([&] { return answer != -1; }, 5000));
    sender.join();
    EXPECT_EQ(answer, 0);
}

TEST(Accelerators, FindTheMarkedCharacterAndNotADoubledAmpersand)
{
    struct Case {
        const char* caption;
        char ch;
        bool accel;
    } cases[] = {
        {"&Apply", 'a', true}, {"&Apply", 'A', true},   {"&Apply", 'p', false}, {"A&&B", 'b', false},
        {"A&&&B", 'b', true},  {"Save &as", 'a', true}, {"x&", 'x', false},     {"", 'a', false},
        {"&&", '&', false},    {"Plain", 'p', false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WinControl::IsAccel(c.ch, c.caption), c.accel) << c.caption << " / " << c.ch;
    }
}

TEST_F(WindowTest, AcceleratorCharactersReachTheControlThatOwnsThem)
{
    auto* go = Put<Windowed>("go", clBlue, 10, 10, 40, 20);
    go->SetText("&Go");
    auto* stop = Put<Windowed>("stop", clBlue, 60, 10, 40, 20);
    stop->SetText("S&top");
    log.clear();

    SendMessageA(go->Handle(), WM_CHAR, 't', 0);
    SendMessageA(stop->Handle(), WM_SYSCHAR, 'g', 0);
    SendMessageA(stop->Handle(), WM_CHAR, 'x', 0);

    EXPECT_EQ(log, (std::vector<std::string>{"stop:click", "go:click"}));
}

TEST_F(WindowTest, KeyPressSeesTheCharacterAndZeroSwallowsIt)
{
    auto* w = Put<Windowed>("w", clBlue, 10, 10, 40, 20);
    std::string seen;
    w->OnKeyPress = [&](Component*, char& key) {
        seen += key;
        key = 0;
    };
    SendMessageA(w->Handle(), WM_CHAR, 'q', 0);
    SendMessageA(w->Handle(), WM_CHAR, '\r', 0);
    EXPECT_EQ(seen, "q\r");
}

TEST_F(WindowTest, TabMovesTheFocusInTabOrder)
{
    auto* a = Put<Windowed>("a", clBlue, 10, 10, 40, 20);
    a->SetTabStop(true);
    auto* b = Put<Windowed>("b", clBlue, 60, 10, 40, 20);
    b->SetTabStop(true);
    auto* c = Put<Windowed>("c", clBlue, 110, 10, 40, 20);
    c->SetTabStop(true);
    c->SetTabOrder(0);
    a->SetFocus();
    log.clear();

    SendMessageA(a->Handle(), WM_KEYDOWN, VK_TAB, 0);
    SendMessageA(b->Handle(), WM_KEYDOWN, VK_TAB, 0);

    EXPECT_EQ(log, (std::vector<std::string>{"b:focus", "c:focus"}));
    EXPECT_TRUE(c->Focused());
}

TEST_F(WindowTest, ComponentsAreFoundByNameAndFreedWithTheirOwner)
{
    auto* a = Put<Windowless>("nb1", clRed, 10, 10, 40, 20);
    auto* b = Put<Windowed>("Sb10", clRed, 60, 10, 40, 20);
    EXPECT_EQ(form->FindComponent("NB1"), a);
    EXPECT_EQ(form->FindComponent("sb10"), b);
    EXPECT_EQ(form->FindComponent("sb1"), nullptr);
    delete a;
    EXPECT_EQ(form->FindComponent("nb1"), nullptr);
    EXPECT_EQ(form->ControlCount(), 1);
    EXPECT_EQ(form->ComponentCount(), 1);
}

TEST_F(WindowTest, AWindowlessCanvasOutsidePaintingDrawsAtTheControlsPlaceInItsWindow)
{
    auto* panel = Add<Panel>(50, 40, 100, 80);
    panel->SetBevelOuter(PanelBevel::None);
    auto* box = Add<PaintBox>(10, 20, 30, 30, panel);
    form->Repaint();
    panel->Repaint();

    Canvas& c = box->GetCanvas();
    c.brush.color = clRed;
    c.FillRect(Rect{0, 0, 100, 100}); // clipped to the box
    App().ProcessMessages();

    EXPECT_EQ(PixelOf(panel->Handle(), 15, 25), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(panel->Handle(), 39, 49), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(panel->Handle(), 45, 25), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelOf(panel->Handle(), 5, 5), ColorToRGB(clBtnFace));
}

TEST_F(WindowTest, ParentPaintsItsWindowlessChildrenIntoAnotherContextAtAnOffset)
{
    Put<Windowless>("a", clRed, 10, 10, 10, 10);
    Bitmap target(60, 60);
    {
        HDC dc = target.Dc();
        SavedDc saved(dc);
        SetWindowOrgEx(dc, 5, 5, nullptr); // what the parent draws at (5, 5) lands at (0, 0)
        form->PaintControls(dc);
    }
    EXPECT_EQ(target.Pixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(target.Pixel(14, 14), RGB(255, 0, 0));
    EXPECT_EQ(target.Pixel(15, 15), RGB(255, 255, 255));
    EXPECT_EQ(target.Pixel(4, 4), RGB(255, 255, 255));
    EXPECT_EQ(target.Pixel(10, 10), RGB(255, 0, 0));
}

TEST_F(WindowTest, ADisabledWindowlessChildLeavesTheMouseToItsParent)
{
    auto* a = Put<Windowless>("a", clRed, 20, 30, 50, 50);
    a->SetEnabled(false);
    int formDowns = 0;
    form->OnMouseDown = [&](Component*, MouseButton, ShiftState, int x, int y) {
        ++formDowns;
        EXPECT_EQ(x, 25);
        EXPECT_EQ(y, 35);
    };
    log.clear();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(25, 35));
    Send(WM_LBUTTONUP, 0, At(25, 35));
    EXPECT_EQ(formDowns, 1);
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowTest, HidingAWindowedControlHidesItsWindowAndItsHoverEnds)
{
    auto* w = Put<Windowed>("w", clBlue, 100, 10, 40, 40);
    EXPECT_TRUE(w->Showing());
    SendMessageA(w->Handle(), WM_MOUSEMOVE, 0, At(5, 5));
    log.clear();
    w->Hide();
    EXPECT_FALSE(IsWindowVisible(w->Handle()));
    EXPECT_FALSE(w->Showing());
    EXPECT_EQ(log, (std::vector<std::string>{"w:leave"}));
    w->Show();
    EXPECT_TRUE(IsWindowVisible(w->Handle()));
}

TEST_F(WindowTest, ShiftTabMovesTheFocusBackwardsAndSkipsDisabledControls)
{
    std::vector<Windowed*> w;
    for (const char* n : {"a", "b", "c"}) {
        auto* c = new Windowed(form.get(), n, log, clBlue);
        c->SetParent(form.get());
        c->SetTabStop(true);
        w.push_back(c);
    }
    w[1]->SetEnabled(false);
    w[2]->SetFocus();
    log.clear();
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(w[2]->Handle(), WM_KEYDOWN, VK_TAB, 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(log, (std::vector<std::string>{"a:focus"}));
}

TEST_F(WindowTest, PaintingThousandsOfTimesLeavesTheGdiObjectCountFlat)
{
    auto* busy = Add<Busy>(10, 10, 137, 21);
    Put<Windowless>("l", clRed, 10, 40, 50, 20);
    ExpectGdiCountFlat({"a busy control over a form with a windowless child",
                        [&] {
                            busy->Repaint();
                            form->Repaint();
                        },
                        [&](int i) {
                            busy->Repaint();
                            if (i % 10 == 0) {
                                form->Repaint();
                            }
                            Pump();
                        },
                        3000});
}

} // namespace
