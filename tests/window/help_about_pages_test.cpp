#include <gtest/gtest.h>

#include <algorithm>

#include "pages/HelpText.h"
#include "pages_fixture.h"
#include "resources/AssetIds.h"

using namespace klarvo;
using namespace klarvo::test;

namespace {

class HelpPageTest : public PagesTest {
protected:
    void Open(std::optional<std::vector<std::string>> lines = std::nullopt)
    {
        StartReal(std::move(lines));
        SelectPage(5);
    }
    std::int32_t Topic() { return shell->Pages().help.HelpTopic(); }
    Label& IndexLabel(int i) { return Need<Label>(Get<Component>("pc"), help::IndexLabelName(i)); }
    // Index labels on the page, and how many of them are shown.
    int IndexLabels(bool visibleOnly)
    {
        int count = 0;
        auto& page = Get<WinControl>("tshelp");
        for (int i = 0; i < page.ControlCount(); ++i) {
            const Control* c = page.Controls(i);
            count += c->Name().starts_with(help::kIndexLabelPrefix) && (c->Visible() || !visibleOnly) ? 1 : 0;
        }
        return count;
    }
    // The page's state as a person sees it: the index or the topic's title.
    void ExpectIndex()
    {
        EXPECT_EQ(Topic(), help::kIndex);
        EXPECT_EQ(IndexLabels(true), std::min(shell->Values().helpTopicCount, help::kMaxTopics));
        EXPECT_FALSE(Get<Control>("lbcap").Visible());
        EXPECT_FALSE(Get<Control>("lbhelp").Visible());
        EXPECT_FALSE(Enabled("nbback"));
        EXPECT_TRUE(Enabled("nbnext"));
        EXPECT_TRUE(Enabled("nbind"));
    }
    void ExpectTopic(std::int32_t topic, const std::string& title)
    {
        EXPECT_EQ(Topic(), topic);
        EXPECT_EQ(IndexLabels(true), 0);
        EXPECT_TRUE(Get<Control>("lbcap").Visible());
        EXPECT_EQ(Text("lbcap"), title);
        EXPECT_TRUE(Get<Control>("lbhelp").Visible());
        EXPECT_TRUE(Enabled("nbback"));
        EXPECT_TRUE(Enabled("nbnext"));
    }
};

TEST_F(HelpPageTest, NextAndBackWalkEveryStateOfTheBuiltInText)
{
    Open();
    ASSERT_EQ(shell->Values().helpTopicCount, 5);
    ExpectIndex();
    EXPECT_FALSE(Apply().Visible());

    const char* titles[] = {"What is Klarvo ?", "How Klarvo works", "How Klarvo works (end)", "Configure Klarvo",
                            "Technical support"};
    for (int i = 0; i < 5; ++i) {
        ClickOn("nbnext");
        ExpectTopic(i, titles[i]);
    }
    ClickOn("nbnext");
    ExpectIndex();

    ClickOn("nbnext");
    ClickOn("nbnext");
    ExpectTopic(1, titles[1]);
    ClickOn("nbback");
    ExpectTopic(0, titles[0]);
    ClickOn("nbback");
    ExpectIndex();

    ClickOn("nbnext");
    ClickOn("nbind");
    ExpectIndex();
}

TEST_F(HelpPageTest, AnIndexLabelOpensItsTopic)
{
    Open();
    Label& label = IndexLabel(3);
    EXPECT_EQ(label.Left(), 20);
    EXPECT_EQ(label.Top(), 175);
    ASSERT_TRUE(label.OnClick);
    label.OnClick(&label);
    ExpectTopic(3, "Configure Klarvo");
    const std::string body = Text("lbhelp");
    EXPECT_EQ(body.rfind("     Find the button \"Default Setting\"", 0), 0u) << body;
    EXPECT_NE(body.find("\r\n     Also, you may configure setting manually.\r\n"), std::string::npos) << body;
}

TEST_F(HelpPageTest, EveryVisitStartsAtTheIndex)
{
    Open();
    ClickOn("nbnext");
    ClickOn("nbnext");
    SelectPage(6);
    SelectPage(5);
    ExpectIndex();
    EXPECT_FALSE(Apply().Visible());
}

TEST_F(HelpPageTest, ATitleOnTheLastLineIsATopicWithoutText)
{
    Open(std::vector<std::string>{"###First", "one", "", "two", "###Last"});
    ASSERT_EQ(shell->Values().helpTopicCount, 2);
    ClickOn("nbnext");
    ExpectTopic(0, "First");
    EXPECT_EQ(Text("lbhelp"), "one\r\n\r\ntwo\r\n") << "the topic ends before the next title";
    ClickOn("nbnext");
    ExpectTopic(1, "Last");
    EXPECT_EQ(Text("lbhelp"), "");
    ClickOn("nbnext");
    ExpectIndex();
    ClickOn("nbback");
    ExpectIndex();
}

TEST_F(HelpPageTest, TopicsBeyondTheLabelsStillShowTheirTitles)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 102; ++i) {
        lines.push_back("###Topic " + std::to_string(i));
        lines.push_back("Text " + std::to_string(i));
    }
    Open(lines);
    ASSERT_EQ(shell->Values().helpTopicCount, 102);
    EXPECT_EQ(IndexLabels(false), 100) << "label names hold two digits";
    for (int i = 0; i < 101; ++i) {
        ClickOn("nbnext");
    }
    ExpectTopic(100, "Topic 100");
    EXPECT_EQ(Text("lbhelp"), "Text 100\r\n");
}

TEST_F(HelpPageTest, LinksTurnBlueUnderThePointerAndBackAfter)
{
    Open();
    const struct {
        Label* link;
        Color normal;
    } links[] = {
        {&IndexLabel(0), clBlack},
        {&IndexLabel(4), clBlack},
        {&Get<Label>("lbupdate"), clWindowText},
        {&Get<Label>("lbmail"), clWindowText},
    };
    for (const auto& l : links) {
        SCOPED_TRACE(l.link->Name());
        ASSERT_EQ(l.link->GetFont().GetColor(), l.normal);
        // The pointer's way over the link, as the window reports it.
        ASSERT_TRUE(l.link->OnMouseEnter && l.link->OnMouseLeave);
        l.link->OnMouseEnter(l.link);
        EXPECT_EQ(l.link->GetFont().GetColor(), Rgb(0, 0, 255));
        l.link->OnMouseLeave(l.link);
        EXPECT_EQ(l.link->GetFont().GetColor(), l.normal);
    }
}

TEST_F(HelpPageTest, IndexLabelsAreUnderlinedHandPointedLinks)
{
    Open();
    for (int i = 0; i < 5; ++i) {
        const Label& label = IndexLabel(i);
        EXPECT_EQ(label.Parent(), &Get<WinControl>("tshelp"));
        EXPECT_EQ(label.Owner(), &Get<Component>("pc"));
        EXPECT_TRUE(label.GetFont().Style() & fsUnderline);
        EXPECT_EQ(label.GetFont().Size(), 11);
        EXPECT_EQ(label.Cursor(), crHandPoint);
    }
}

class AboutPageTest : public PagesTest {
protected:
    void SetUp() override
    {
        PagesTest::SetUp();
        StartReal();
        shell->Pages().about.openAddress = [this](const std::string& address) { opened.push_back(address); };
    }
    std::vector<std::string> opened;
};

TEST_F(AboutPageTest, ShowingThePageHidesApplyAndKeepsItsState)
{
    SelectPage(3);
    ClickOn("cbtemp");
    ASSERT_TRUE(Apply().Enabled());
    SelectPage(6);
    EXPECT_FALSE(Apply().Visible());
    EXPECT_EQ(Text("lbver"), "Klarvo ver 3.1");
    SelectPage(3);
    EXPECT_TRUE(Apply().Visible());
    EXPECT_TRUE(Apply().Enabled());
}

TEST_F(AboutPageTest, TheLinksOpenTheProductPageAndAMail)
{
    SelectPage(6);
    Label& update = Get<Label>("lbupdate");
    Label& mail = Get<Label>("lbmail");
    update.OnClick(&update);
    mail.OnClick(&mail);
    EXPECT_EQ(opened, (std::vector<std::string>{assets::kProductPageAddress,
                                                std::string("mailto:") + assets::kSupportMailAddress}));
    EXPECT_EQ(Text("lbmail"), std::string("E-mail: ") + assets::kSupportMailAddress);
    EXPECT_TRUE(cleaner.commands.empty());
}

} // namespace
