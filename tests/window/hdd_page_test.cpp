#include <gtest/gtest.h>

#include "pages_fixture.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

class HddPageTest : public PagesTest {
protected:
    void SetUp() override
    {
        PagesTest::SetUp();
        StartReal();
        SelectPage(3);
    }
};

TEST_F(HddPageTest, EachClearButtonSendsItsCategoryAndNothingElse)
{
    const struct {
        const char* button;
        const char* box;
        std::int32_t category;
    } cases[] = {
        {"nbtemp", "cbtemp", hcTemp},
        {"nbinternet", "cbinternet", hcInternet},
        {"nbhistory", "cbhistory", hcHistory},
        {"nbcookies", "cbcookies", hcCookies},
        {"nbdir", "cbdir", hcDir},
    };
    // History is cleared by 4 although its row stands third.
    ASSERT_EQ(hcHistory, 4);
    ASSERT_EQ(hcDir, 3);
    for (bool ticked : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.button) + (ticked ? " ticked" : " clear"));
            Get<TIACheckControl>(c.box).SetChecked(ticked);
            shell->nbapplyClick(nullptr);
            cleaner.commands.clear();
            const std::vector<std::uint8_t> conf = ReadBytes(ConfPath());
            const std::vector<std::uint8_t> confStr = ReadBytes(ConfStrPath());

            ClickOn(c.button);
            ASSERT_EQ(cleaner.commands.size(), 1u);
            EXPECT_EQ(cleaner.commands[0], std::make_pair<std::int32_t>(cmdClearHdd, c.category));
            EXPECT_EQ(Checked(c.box), ticked) << "the box is not looked at or changed";
            EXPECT_TRUE(Enabled(c.button));
            EXPECT_FALSE(Apply().Enabled()) << "nothing to apply";
            EXPECT_EQ(ReadBytes(ConfPath()), conf) << "nothing saved";
            EXPECT_EQ(ReadBytes(ConfStrPath()), confStr);
        }
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(HddPageTest, DirectoryAndSubdirectoriesFollowTheDirectoryBox)
{
    for (bool on : {true, false, true}) {
        if (Checked("cbdir") != on) {
            ClickOn("cbdir");
        }
        EXPECT_EQ(Enabled("dedir"), on);
        EXPECT_EQ(Enabled("cbsubdir"), on);
        EXPECT_TRUE(Enabled("nbdir")) << "a clear box never greys its button";
        EXPECT_TRUE(Apply().Enabled());
    }
}

TEST_F(HddPageTest, ShowingThePageAfterApplyMarksNothingAndATickDoes)
{
    Get<TIACheckControl>("cbdir").SetChecked(true);
    shell->nbapplyClick(nullptr);
    SelectPage(0);
    EXPECT_FALSE(Apply().Visible());
    SelectPage(3);
    EXPECT_TRUE(Apply().Visible());
    EXPECT_FALSE(Apply().Enabled());
    EXPECT_TRUE(Enabled("dedir")) << "brought in line with cbdir on showing";
    EXPECT_TRUE(Enabled("cbsubdir"));

    ClickOn("cbclearselect");
    EXPECT_TRUE(Apply().Enabled());
}

TEST_F(HddPageTest, DefaultSettingKeepsTheSubdirectoryBoxAndTheDirectory)
{
    const std::string chosen = dir.Path() + "work";
    CreateDirectoryA(chosen.c_str(), nullptr);
    Get<TIACheckControl>("cbdir").SetChecked(true);
    Get<Control>("dedir").SetText(chosen);
    for (const char* name : {"cbtemp", "cbinternet", "cbhistory", "cbcookies"}) {
        Get<TIACheckControl>(name).SetChecked(false);
    }
    Get<TIACheckControl>("cbsubdir").SetChecked(true);
    Get<TIACheckControl>("cbclearselect").SetChecked(true);
    shell->nbapplyClick(nullptr);

    ClickOn("nbdefhdd");
    for (const char* name : {"cbtemp", "cbinternet", "cbhistory", "cbcookies"}) {
        EXPECT_TRUE(Checked(name)) << name;
    }
    EXPECT_FALSE(Checked("cbdir"));
    EXPECT_FALSE(Checked("cbclearselect"));
    EXPECT_TRUE(Checked("cbsubdir"));
    EXPECT_FALSE(Enabled("cbsubdir"));
    EXPECT_EQ(Text("dedir"), chosen);
    EXPECT_FALSE(Enabled("dedir"));
    EXPECT_TRUE(Apply().Enabled());

    shell->nbapplyClick(nullptr);
    EXPECT_EQ(ReadConf(slotSubdir), 1);
    EXPECT_EQ(ReadConf(slotDir), 0);
    EXPECT_EQ(ReadConf(slotClearSelect), 0);
    EXPECT_EQ(ReadConf(slotHistory), 1);
    EXPECT_EQ(ReadConfStr(ConfStrPath()).at(lineDir), chosen);
}

TEST_F(HddPageTest, APickedDirectoryIsAChangeToApply)
{
    ClickOn("cbdir");
    shell->nbapplyClick(nullptr);
    const std::string chosen = dir.Path() + "picked";
    CreateDirectoryA(chosen.c_str(), nullptr);

    dialogs.answer.reset();
    Get<DirectoryEdit>("dedir").Browse();
    EXPECT_EQ(dialogs.folderDialogs, 1);
    EXPECT_FALSE(Apply().Enabled()) << "a cancelled dialog changes nothing";

    dialogs.answer = chosen;
    Get<DirectoryEdit>("dedir").Browse();
    EXPECT_EQ(Text("dedir"), chosen);
    EXPECT_TRUE(Apply().Enabled());
    shell->nbapplyClick(nullptr);
    EXPECT_EQ(ReadConfStr(ConfStrPath()).at(lineDir), chosen);
}

TEST_F(HddPageTest, TheDirectoryClearedIsTheOneLastApplied)
{
    ClickOn("cbdir");
    Get<Control>("dedir").SetText("C:\\before");
    shell->nbapplyClick(nullptr);
    Get<Control>("dedir").SetText("C:\\after");
    cleaner.commands.clear();
    ClickOn("nbdir");
    ASSERT_EQ(cleaner.commands.size(), 1u);
    EXPECT_EQ(cleaner.commands[0].second, hcDir);
    EXPECT_EQ(ReadConfStr(ConfStrPath()).at(lineDir), "C:\\before") << "the cleaner reads what was applied";
}

} // namespace
