#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

#include "recording/RecordingCanvas.h"
#include "pages/Chrome.h"
#include "support/Process.h"
#include "shell_fixture.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

class ShellChromeTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Start();
        ShowShell();
    }
    // A background picture from the repository's pictures, copied here.
    std::string CopyPicture(const std::string& name, const std::string& as)
    {
        const std::string source = FileArgument("backgrounds") + "\\" + name;
        const std::string target = dir.File(as);
        EXPECT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE)) << source;
        return target;
    }
    void ChooseBackground(bool ticked, const std::string& file)
    {
        Get<TIACheckControl>("cbwall").SetChecked(ticked);
        Get<Control>("fewall").SetText(file);
    }
};

TEST_F(ShellChromeTest, AnyMouseButtonOnAPageButtonSelectsItsPage)
{
    const std::tuple<const char*, Button, int> presses[] = {
        {"nb4", Button::Right, 3},
        {"nb2", Button::Left, 1},
        {"nb7", Button::Middle, 6},
        {"nb1", Button::Right, 0},
    };
    for (const auto& [name, button, page] : presses) {
        SCOPED_TRACE(name);
        Press(name, button);
        ExpectOnPage(page);
    }
}

TEST_F(ShellChromeTest, PressingTheShownPagesButtonDoesNotShowItAgain)
{
    Press("nb5");
    auto& page = Get<TabSheet>("tsopt");
    int shows = 0;
    NotifyEvent original = page.OnShow;
    page.OnShow = [&](Component* sender) {
        ++shows;
        original(sender);
    };
    Apply().SetEnabled(true);
    Press("nb5");
    EXPECT_EQ(shows, 0);
    EXPECT_EQ(ActivePage(), 4);
    EXPECT_TRUE(Get<TGradBtn>("nb5").DownLock());
    EXPECT_TRUE(Apply().Enabled());
    // The counting handler refers to this frame: the window's end may show
    // a page again after the test has returned.
    page.OnShow = original;
}

TEST_F(ShellChromeTest, ReturnOnAFocusedPageButtonChangesNothing)
{
    auto& button = Get<WinControl>("nb4");
    button.SetFocus();
    SendMessageA(button.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(button.Handle(), WM_CHAR, '\r', 0);
    SendMessageA(button.Handle(), WM_KEYUP, VK_RETURN, 0);
    Pump();
    EXPECT_EQ(ActivePage(), 0);
    EXPECT_TRUE(Get<TGradBtn>("nb1").DownLock());
    EXPECT_FALSE(Get<TGradBtn>("nb4").DownLock());
}

TEST_F(ShellChromeTest, OnlyTheLeftButtonOnTheTitlePictureDragsTheWindow)
{
    int drags = 0;
    shell->Pages().chrome.beginSystemMove = [&] { ++drags; };
    Press("pncap", Button::Right, 100, 8);
    Press("pncap", Button::Middle, 100, 8);
    EXPECT_EQ(drags, 0);
    Press("pncap", Button::Left, 100, 8);
    EXPECT_EQ(drags, 1);
}

TEST_F(ShellChromeTest, MinimiseButtonMinimisesTheWindow)
{
    Get<TGradBtn>("nbminimize").Click();
    Pump();
    EXPECT_TRUE(IsIconic(shell->Handle()));
}

// Frameless, the window shows the program's icon only on its taskbar button
// and in the task switcher, each at its own size.
TEST_F(ShellChromeTest, TheWindowCarriesTheProgramIconInBothSizes)
{
    for (const auto& [which, side] : {std::pair{ICON_SMALL, 16}, std::pair{ICON_BIG, 32}}) {
        const auto icon = reinterpret_cast<HICON>(SendMessageA(shell->Handle(), WM_GETICON, which, 0));
        ASSERT_NE(icon, nullptr) << side;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP mask{};
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, side);
        DeleteObject(info.hbmMask);
        if (info.hbmColor) {
            DeleteObject(info.hbmColor);
        }
    }
}

TEST_F(ShellChromeTest, ApplyIsHiddenOnPagesWithoutSettingsAndKeepsItsStateAcrossThem)
{
    for (const bool pending : {true, false}) {
        for (int page = 1; page <= 4; ++page) {
            SCOPED_TRACE("page " + std::to_string(page) + (pending ? " with changes" : " without"));
            shell->Pages().chrome.SelectPage(page);
            Apply().SetEnabled(pending);
            for (int away : {0, 5, 6}) {
                shell->Pages().chrome.SelectPage(away);
                EXPECT_EQ(ActivePage(), away);
                EXPECT_FALSE(Apply().Visible()) << "on page " << away;
                shell->Pages().chrome.SelectPage(page);
                EXPECT_EQ(ActivePage(), page);
                EXPECT_TRUE(Apply().Visible());
                EXPECT_EQ(Apply().Enabled(), pending);
            }
        }
    }
    Pump();
    EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages.front());
}

TEST_F(ShellChromeTest, ShowingASettingsPageAlignsItsControlsWithoutMarkingChanges)
{
    Get<TIACheckControl>("cbauto").SetChecked(false);
    Get<TIACheckControl>("cbdir").SetChecked(false);
    Get<TIACheckControl>("cbhot2").SetChecked(false);
    shell->Values().backgroundChanged = false;
    for (int page = 1; page <= 4; ++page) {
        shell->Pages().chrome.SelectPage(page);
    }
    for (const char* grey : {"ndevery", "rbfull", "dedir", "cbsubdir", "edhot2", "lbhot2"}) {
        EXPECT_FALSE(Enabled(grey)) << grey;
    }
    EXPECT_TRUE(Enabled("nbdeffastram"));
    EXPECT_EQ(Text("lbfreemb"), " = 32 MB");
    EXPECT_EQ(Get<UpDown>("udpopup3").Max(), 65);
    EXPECT_FALSE(Apply().Enabled());
    EXPECT_FALSE(shell->Values().backgroundChanged);
}

TEST_F(ShellChromeTest, DefaultSettingButtonsRestoreTheFirstRunValuesAndMarkChanges)
{
    Get<TIACheckControl>("cbauto").SetChecked(false);
    Get<UpDown>("udevery").SetPosition(40);
    Get<TIACheckControl>("cbdir").SetChecked(true);
    Get<TIACheckControl>("cbsubdir").SetChecked(true);
    Get<Control>("edhot1").SetText("");
    Get<SpeedButton>("sb2").SetDown(true);
    Apply().SetEnabled(false);

    for (const char* button : {"nbdeffastram", "nbdefram", "nbdefhdd", "nbdefopt"}) {
        Get<TGradBtn>(button).Click();
    }
    EXPECT_TRUE(Get<TIACheckControl>("cbauto").Checked());
    EXPECT_TRUE(Enabled("ndevery"));
    EXPECT_EQ(Position("udevery"), 5);
    EXPECT_TRUE(Get<SpeedButton>("sb5").Down());
    EXPECT_FALSE(Get<SpeedButton>("sb2").Down());
    EXPECT_EQ(shell->Values().ramPercent, 50);
    EXPECT_FALSE(Get<TIACheckControl>("cbdir").Checked());
    EXPECT_TRUE(Get<TIACheckControl>("cbsubdir").Checked()) << "no button sets it";
    EXPECT_FALSE(Enabled("cbsubdir"));
    EXPECT_EQ(Text("edhot1"), "Q");
    EXPECT_FALSE(Enabled("edhot1"));
    EXPECT_FALSE(Enabled("fesound")) << "no default.wav here";
    EXPECT_TRUE(shell->Values().backgroundChanged);
    EXPECT_TRUE(Apply().Enabled());
}

TEST(PageBackground, TileGridCoversTheBoxBelowTheBand)
{
    struct Case {
        int boxW, boxH, tileW, tileH, lastCol, lastRow, count;
    };
    const Case cases[] = {
        {527, 328, 100, 60, 5, 4, 30},   {527, 328, 128, 128, 4, 2, 15}, {527, 30, 100, 60, 5, 0, 6},
        {527, 0, 100, 30, 5, -1, 0},     {527, 328, 0, 60, -1, -1, 0},   {527, 328, 100, 0, -1, -1, 0},
        {527, 328, 1000, 1000, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.boxW) + "x" + std::to_string(c.boxH) + " with " + std::to_string(c.tileW) + "x" +
                     std::to_string(c.tileH));
        const TileGrid grid = TileGridFor(c.boxW, c.boxH, c.tileW, c.tileH);
        if (c.count > 0) {
            EXPECT_EQ(grid.lastCol, c.lastCol);
            EXPECT_EQ(grid.lastRow, c.lastRow);
        }
        EXPECT_EQ(grid.Count(), c.count);
    }
}

TEST(PageBackground, A100By60PictureTilesSixBySixFromY35ThenTwoFrames)
{
    Bitmap tile(100, 60);
    RecordingCanvas canvas;
    PaintPageBackground(canvas, tile, 527, 328, Rect{0, 0, 527, 328});
    const std::vector<DrawCall> draws = canvas.Only("Draw");
    ASSERT_EQ(draws.size(), 30u);
    EXPECT_EQ(draws.front().args, (std::vector<int>{0, 35, 100, 60}));
    EXPECT_EQ(draws[5].args, (std::vector<int>{500, 35, 100, 60}));
    EXPECT_EQ(draws[6].args, (std::vector<int>{0, 95, 100, 60}));
    EXPECT_EQ(draws.back().args, (std::vector<int>{500, 275, 100, 60}));
    const std::vector<DrawCall> frames = canvas.Only("FrameRect");
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].args, (std::vector<int>{0, 0, 527, 328}));
    EXPECT_EQ(frames[0].brush.color, clBlack);
    EXPECT_EQ(frames[1].args, (std::vector<int>{1, 1, 526, 327}));
    EXPECT_EQ(frames[1].brush.color, Rgb(0, 0, 255));
    EXPECT_EQ(canvas.calls.back().op, "FrameRect") << "the frames lie over the tiles";
}

TEST(PageBackground, AnEmptyPictureTilesNothingButStillFrames)
{
    RecordingCanvas canvas;
    PaintPageBackground(canvas, Bitmap(), 527, 328, Rect{0, 0, 527, 328});
    EXPECT_TRUE(canvas.Only("Draw").empty());
    EXPECT_EQ(canvas.Only("FrameRect").size(), 2u);
}

TEST_F(ShellChromeTest, BackgroundFollowsTheChoiceAndFallsBackSilently)
{
    const std::string bmp = CopyPicture("sand.bmp", "sand.bmp");
    const std::string jpg = CopyPicture("linen.jpg", "linen.jpg");
    WriteText(dir.File("damaged.jpg"), "not a picture at all");
    const std::string png = CopyPicture("sand.bmp", "sand.png");
    struct Case {
        const char* what;
        bool ticked;
        std::string file;
        int width, height;
    };
    const Case cases[] = {
        {"bitmap", true, bmp, 100, 60},
        {"JPEG", true, jpg, 192, 144},
        {"box clear", false, bmp, 128, 128},
        {"deleted file", true, dir.File("gone.bmp"), 128, 128},
        {"damaged file", true, dir.File("damaged.jpg"), 128, 128},
        {"extension of no picture format", true, png, 128, 128},
        {"a directory", true, dir.Path(), 128, 128},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ChooseBackground(c.ticked, c.file);
        EXPECT_TRUE(shell->Values().backgroundChanged);
        shell->Pages().chrome.LoadBackground();
        EXPECT_EQ(Back().Width(), c.width);
        EXPECT_EQ(Back().Height(), c.height);
        EXPECT_FALSE(shell->Values().backgroundChanged);
    }
    EXPECT_TRUE(messages.empty()) << "pages report nothing";
}

TEST_F(ShellChromeTest, ApplyReloadsTheBackgroundOnlyWhenItsChoiceChanged)
{
    const std::string later = dir.File("later.bmp");
    ChooseBackground(true, later);
    shell->nbapplyClick(nullptr);
    EXPECT_EQ(Back().Width(), 128) << "a missing picture gives the built-in one";

    CopyPicture("sand.bmp", "later.bmp");
    shell->nbapplyClick(nullptr);
    EXPECT_EQ(Back().Width(), 128) << "nothing changed in the choice: no reload";

    Get<TIACheckControl>("cbwall").SetChecked(false);
    shell->Pages().options.cbwallClick(nullptr);
    Get<TIACheckControl>("cbwall").SetChecked(true);
    shell->Pages().options.cbwallClick(nullptr);
    shell->nbapplyClick(nullptr);
    EXPECT_EQ(Back().Width(), 100);
}

TEST_F(ShellChromeTest, PageControlChangeRedrawsTheGraphOnlyOnTheInfoPage)
{
    Chrome& chrome = shell->Pages().chrome;
    shell->StopRefreshTimer();
    chrome.SelectPage(2);
    Pump();
    // Unseen, ticks leave the picture behind.
    memory.Set(65, 60);
    TickPastTheRightEdge();
    ASSERT_FALSE(PictureIsCurrent());
    chrome.pcChange(nullptr);
    EXPECT_FALSE(PictureIsCurrent());
    // Nothing paints until the messages are handled: only the change draws.
    chrome.SelectPage(0);
    ASSERT_FALSE(PictureIsCurrent());
    chrome.pcChange(nullptr);
    EXPECT_TRUE(PictureIsCurrent());
}

TEST(PageButtonNames, ThirdCharacterNamesThePage)
{
    const std::pair<const char*, int> cases[] = {{"nb1", 0},  {"nb7", 6},      {"nb4", 3}, {"nb0", -1},
                                                 {"nb8", -1}, {"nbapply", -1}, {"nb", -1}, {"", -1}};
    for (const auto& [name, page] : cases) {
        EXPECT_EQ(PageOfButtonName(name), page) << name;
    }
}

} // namespace
