#include <gtest/gtest.h>

#include "pages_fixture.h"
#include "support/Process.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

class OptionsPageTest : public PagesTest {
protected:
    void SetUp() override
    {
        PagesTest::SetUp();
        StartReal();
        SelectPage(4);
    }
};

TEST_F(OptionsPageTest, HotKeyEditsTakeOneUpperCaseLetter)
{
    for (const char* edit : {"edhot1", "edhot2", "edhot3"}) {
        SCOPED_TRACE(edit);
        Get<Control>(edit).SetText("");
        Type(edit, "7 .,!-");
        EXPECT_EQ(Text(edit), "") << "digits, blanks and punctuation are dropped";
        Type(edit, "q");
        EXPECT_EQ(Text(edit), "Q");
        Type(edit, "x");
        EXPECT_EQ(Text(edit), "Q") << "one character at most";
        Type(edit, "\b");
        EXPECT_EQ(Text(edit), "");
        Type(edit, "Z");
        EXPECT_EQ(Text(edit), "Z");
    }
}

TEST_F(OptionsPageTest, EveryBoxGreysWhatFollowsIt)
{
    const struct {
        const char* box;
        std::vector<const char*> followers;
    } cases[] = {
        {"cbautorun", {"cbnorunshell"}},  {"cbsound", {"fesound"}},         {"cbwall", {"fewall"}},
        {"cbhot1", {"lbhot1", "edhot1"}}, {"cbhot2", {"lbhot2", "edhot2"}}, {"cbhot3", {"lbhot3", "edhot3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        for (int round = 0; round < 2; ++round) {
            shell->nbapplyClick(nullptr);
            ClickOn(c.box);
            for (const char* follower : c.followers) {
                EXPECT_EQ(Enabled(follower), Checked(c.box)) << follower;
            }
            EXPECT_TRUE(Apply().Enabled());
        }
    }
}

TEST_F(OptionsPageTest, ClearedHotKeyStoresNothingButKeepsItsLetter)
{
    if (!Checked("cbhot2")) {
        ClickOn("cbhot2");
    }
    Get<Control>("edhot2").SetText("E");
    shell->nbapplyClick(nullptr);
    EXPECT_EQ(ReadConf(slotHot2), 'E');

    ClickOn("cbhot2");
    EXPECT_FALSE(Enabled("lbhot2"));
    EXPECT_FALSE(Enabled("edhot2"));
    EXPECT_EQ(Text("edhot2"), "E");
    shell->nbapplyClick(nullptr);
    EXPECT_EQ(ReadConf(slotHot2), 0);
    EXPECT_EQ(Text("edhot2"), "E");
}

TEST_F(OptionsPageTest, DefaultSettingTakesTheSoundBesideTheProgramOnlyWhenItIsThere)
{
    const std::string sound = dir.File("default.wav");
    for (bool present : {false, true, false}) {
        SCOPED_TRACE(present ? "with default.wav" : "without default.wav");
        if (present) {
            WriteText(sound, "RIFF");
        } else {
            DeleteFileA(sound.c_str());
        }
        Get<TIACheckControl>("cbsound").SetChecked(!present);
        Get<Control>("fesound").SetText("C:\\mine.wav");
        for (const char* box : {"cbwall", "cbhot1", "cbhot2", "cbhot3"}) {
            Get<TIACheckControl>(box).SetChecked(true);
        }
        Get<Control>("edhot1").SetText("A");
        shell->nbapplyClick(nullptr);
        ClickOn("nbdefopt");

        EXPECT_EQ(Checked("cbsound"), present);
        EXPECT_EQ(Enabled("fesound"), present);
        EXPECT_EQ(Text("fesound"), present ? sound : std::string("C:\\mine.wav"));
        for (const char* box : {"cbautorun", "cbnorunshell", "cbtraymem"}) {
            EXPECT_TRUE(Checked(box)) << box;
        }
        for (const char* box : {"cbwall", "cbhot1", "cbhot2", "cbhot3"}) {
            EXPECT_FALSE(Checked(box)) << box;
        }
        EXPECT_EQ(Text("edhot1") + Text("edhot2") + Text("edhot3"), "QWS");
        EXPECT_FALSE(Enabled("edhot1"));
        EXPECT_FALSE(Enabled("fewall"));
        EXPECT_TRUE(shell->Values().backgroundChanged) << "the next Apply loads the default background";
        EXPECT_TRUE(Apply().Enabled());
    }
}

TEST_F(OptionsPageTest, ABackgroundChosenThenPagesSwitchedIsLoadedByApply)
{
    const std::string picture = dir.File("sand.bmp");
    ASSERT_TRUE(CopyFileA((FileArgument("backgrounds") + "\\sand.bmp").c_str(), picture.c_str(), FALSE));
    shell->nbapplyClick(nullptr);
    ASSERT_EQ(Back().Width(), 128);
    ASSERT_FALSE(shell->Values().backgroundChanged);

    if (!Checked("cbwall")) {
        ClickOn("cbwall");
    }
    dialogs.answer = picture;
    Get<FileNameEdit>("fewall").Browse();
    ASSERT_EQ(Text("fewall"), picture);

    SelectPage(1);
    SelectPage(6);
    SelectPage(4);
    EXPECT_TRUE(shell->Values().backgroundChanged) << "showing the page leaves the change pending";
    EXPECT_TRUE(Apply().Enabled());
    EXPECT_EQ(Back().Width(), 128) << "not before Apply";

    ClickOn("nbapply");
    EXPECT_EQ(Back().Width(), 100);
    EXPECT_EQ(Back().Height(), 60);
    EXPECT_FALSE(shell->Values().backgroundChanged);
}

TEST_F(OptionsPageTest, ShowingThePageAfterApplyMarksNothing)
{
    shell->nbapplyClick(nullptr);
    SelectPage(2);
    SelectPage(4);
    EXPECT_TRUE(Apply().Visible());
    EXPECT_FALSE(Apply().Enabled());
    EXPECT_FALSE(shell->Values().backgroundChanged);
}

// What a browse dialog offers, and its choice: a change that Apply stores.
TEST_F(OptionsPageTest, EveryBrowsedChoiceIsAChangeThatApplyStores)
{
    const struct {
        const char* field;
        const char* box;
        std::string answer;
        const char* filter;
        int pictureDialogs; // with a preview
        ConfStrLine line;
    } cases[] = {
        {"fesound", "cbsound", "C:\\sounds\\ding.wav", "*.WAV|*.WAV", 0, lineSound},
        {"fewall", "cbwall", FileArgument("backgrounds") + "\\sand.bmp", "jpg, bmp|*.jpg; *.bmp", 1, lineWall},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        Get<TIACheckControl>(c.box).SetChecked(true);
        shell->nbapplyClick(nullptr);
        ASSERT_FALSE(Apply().Enabled());
        dialogs.answer = c.answer;
        const int previews = dialogs.pictureDialogs;
        Get<FileNameEdit>(c.field).Browse();
        EXPECT_EQ(dialogs.filters.back(), c.filter);
        EXPECT_EQ(dialogs.pictureDialogs - previews, c.pictureDialogs);
        EXPECT_TRUE(Apply().Enabled());
        shell->nbapplyClick(nullptr);
        EXPECT_EQ(ReadConfStr(ConfStrPath()).at(c.line), c.answer);
    }
}

} // namespace
