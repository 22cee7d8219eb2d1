#include <gtest/gtest.h>

#include "framework/standard/StdCtrls.h"
#include "framework/standard/StdWindows.h"

#include <commctrl.h>
#include "framework_support.h"
#include "support/RealInput.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

using StdTest = FormTest;

TEST_F(StdTest, EditReportsEveryChangeAndSwallowsACharacterSetToZero)
{
    auto* e = Add<Edit>(10, 10, 80, 23);
    int changes = 0;
    e->OnChange = [&](Component*) { ++changes; };
    e->OnKeyPress = [](Component*, char& key) {
        if (key == 'x') {
            key = 0;
        }
    };
    e->SetFocus();
    for (char ch : std::string("axb")) {
        SendMessageA(e->Handle(), WM_CHAR, static_cast<unsigned char>(ch), 1);
    }
    EXPECT_EQ(e->Text(), "ab");
    EXPECT_EQ(changes, 2);
    e->SetText("12");
    EXPECT_EQ(changes, 3);
    e->SelectAll();
    EXPECT_EQ(e->SelStart(), 0);
    EXPECT_EQ(e->SelLength(), 2);
}

TEST_F(StdTest, UpDownWritesItsPositionIntoItsBuddyAndStopsAtItsLimits)
{
    auto* e = Add<Edit>(10, 10, 80, 23);
    auto* ud = Add<UpDown>();
    ud->SetMin(1);
    ud->SetMax(60);
    ud->SetPosition(59);
    ud->SetAssociate(e);
    EXPECT_EQ(e->Text(), "59");
    EXPECT_EQ(ud->Left(), e->Left() + e->Width());
    int clicks = 0;
    ud->OnClick = [&](Component*) { ++clicks; };

    HWND h = ud->Handle();
    SetForegroundWindow(Hwnd());
    for (int i = 0; i < 3; ++i) { // the up arrow is the upper half
        ClickAt(h, 5, 3);
    }
    EXPECT_EQ(ud->Position(), 60);
    EXPECT_EQ(e->Text(), "60");
    EXPECT_GE(clicks, 1);
    EXPECT_EQ(clicks, 3) << "each press a click, the ones at the end too";

    ud->SetMax(40); // a position above a new maximum comes down to it
    EXPECT_EQ(ud->Position(), 40);
    EXPECT_EQ(e->Text(), "40");

    ud->SetPosition(10);
    ClickAt(h, 5, 3);
    // The up-down repeats on a timer of its own, which no message can queue
    // behind: a bounded wait past the platform's repeat delay is the proof.
    WaitUntil([] { return false; }, 700);
    EXPECT_EQ(ud->Position(), 11) << "a released arrow does not repeat";
}

TEST_F(StdTest, ProgressBarKeepsItsPositionInRange)
{
    auto* pb = Add<ProgressBar>();
    pb->SetSmooth(true);
    pb->SetPosition(150);
    EXPECT_EQ(pb->Position(), 100);
    pb->SetPosition(42);
    EXPECT_EQ(SendMessageA(pb->Handle(), PBM_GETPOS, 0, 0), 42);
}

TEST_F(StdTest, OnlyTheActivePageShowsAndActivatingInCodeRaisesNoChange)
{
    auto* pc = Add<PageControl>(0, 0, 300, 200);
    std::vector<std::string> shown;
    TabSheet* pages[3];
    for (int i = 0; i < 3; ++i) {
        pages[i] = new TabSheet(form.get());
        pages[i]->SetName("ts" + std::to_string(i));
        pages[i]->SetPageControl(pc);
        pages[i]->OnShow = [&](Component* s) { shown.push_back(s->Name()); };
    }
    int changes = 0;
    pc->OnChange = [&](Component*) { ++changes; };

    EXPECT_EQ(pc->ActivePage(), pages[0]);
    pc->SetActivePage(pages[2]);
    pc->SetActivePage(pages[2]); // already shown: nothing runs again
    pc->SetActivePageIndex(1);

    EXPECT_EQ(shown, (std::vector<std::string>{"ts2", "ts1"}));
    EXPECT_TRUE(IsWindowVisible(pages[1]->Handle()));
    EXPECT_FALSE(pages[0]->Visible());
    EXPECT_FALSE(pages[2]->Visible());
    EXPECT_EQ(changes, 0);
}

TEST_F(StdTest, PagesAndTheirControlMayBeFreedInEitherOrder)
{
    auto* pc = Add<PageControl>();
    auto* one = new TabSheet(form.get());
    one->SetPageControl(pc);
    auto* two = new TabSheet(form.get());
    two->SetPageControl(pc);
    auto* label = Add<Label>(two);
    delete one;
    EXPECT_EQ(pc->PageCount(), 1);
    EXPECT_EQ(pc->ActivePage(), nullptr);
    pc->SetActivePage(two);
    delete pc; // the page and its label stay, owned by the form
    EXPECT_EQ(two->GetPageControl(), nullptr);
    EXPECT_EQ(label->Parent(), two);
    delete two;
    EXPECT_EQ(form->FindComponent(""), nullptr);
    EXPECT_EQ(form->ComponentCount(), 1); // the label
}

struct FakeDialogs : BrowseDialogs {
    std::string filter, dir, answer;
    bool OpenFile(HWND, const std::string& f, const std::string& d, const std::string&, std::string& chosen) override
    {
        filter = f;
        dir = d;
        chosen = answer;
        return !answer.empty();
    }
    bool BrowseFolder(HWND, const std::string&, const std::string& current, std::string& chosen) override
    {
        dir = current;
        chosen = answer;
        return !answer.empty();
    }
};

TEST_F(StdTest, BrowseEditsTakeTheChosenNameAndKeepTheirsWhenCancelled)
{
    FakeDialogs fake;
    SetBrowseDialogs(&fake);
    auto* fe = Add<FileNameEdit>();
    fe->SetFilter("JPEG pictures|*.jpg|Bitmaps|*.bmp");
    fe->SetInitialDir("C:\\Klarvo\\backgrounds\\");
    int changes = 0;
    fe->OnChange = [&](Component*) { ++changes; };
    fake.answer = "C:\\pics\\sky.jpg";
    SendMessageA(fe->ButtonHandle(), BM_CLICK, 0, 0);
    EXPECT_EQ(fe->Text(), "C:\\pics\\sky.jpg");
    EXPECT_EQ(fake.filter, "JPEG pictures|*.jpg|Bitmaps|*.bmp");
    EXPECT_EQ(fake.dir, "C:\\Klarvo\\backgrounds\\");
    EXPECT_EQ(changes, 1);
    fake.answer.clear();
    fe->Browse();
    EXPECT_EQ(fe->Text(), "C:\\pics\\sky.jpg");

    auto* de = Add<DirectoryEdit>();
    de->SetText("C:\\Temp");
    fake.answer = "C:\\Windows";
    de->Browse();
    EXPECT_EQ(fake.dir, "C:\\Temp");
    EXPECT_EQ(de->Text(), "C:\\Windows");
    SetBrowseDialogs(nullptr);
}

} // namespace
