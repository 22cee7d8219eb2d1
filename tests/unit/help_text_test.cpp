#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "pages/HelpText.h"

using namespace klarvo::help;

namespace {

using Lines = std::vector<std::string>;

TEST(HelpTitles, AreTheTitleLinesFromTheirFourthCharacter)
{
    struct Case {
        Lines lines;
        Lines titles;
    };
    const Case cases[] = {
        {{}, {}},
        {{"no titles", "     at all"}, {}},
        {{"before the first", "###One", "body", "###Two"}, {"One", "Two"}},
        {{"###", "###   spaced  "}, {"", "   spaced  "}},
        {{"##not", " ###not", "#", "####Four"}, {"#Four"}},
        {{"###Disk && memory"}, {"Disk && memory"}}, // the label shows one "&"
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetHelpTitles(c.lines), c.titles);
    }
}

TEST(HelpTitles, AreCutAfterTenThousandCharacters)
{
    const std::string body(kMaxTitleLength + 50, 'x');
    const Lines titles = GetHelpTitles({"###" + body});
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0], body.substr(0, kMaxTitleLength));
}

TEST(HelpTopicText, IsTheBodyUpToTheNextTitleWithCrLfAfterEveryLine)
{
    // Lines before the first title belong to no topic; "Empty" has no body;
    // the last line of the text is a title of its own.
    const Lines text = SplitLines("preface\r\n"
                                  "###One\r\n"
                                  "     First paragraph.\r\n"
                                  "\r\n"
                                  "   - an item\r\n"
                                  "###Two\r\n"
                                  "     Cookies && history.\r\n"
                                  "###Empty\r\n"
                                  "###Last");
    struct Case {
        std::int32_t topic;
        const char* body;
    };
    const Case cases[] = {
        {0, "     First paragraph.\r\n\r\n   - an item\r\n"},
        {1, "     Cookies && history.\r\n"},
        {2, ""},
        {3, ""}, // the title on the very last line
        {4, ""}, // fewer titles than asked: the last one's (empty) body
        {99, ""},
        {kIndex, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetHelpTopicText(text, c.topic), c.body) << "topic " << c.topic;
    }
}

TEST(HelpTopicText, FallsBackToTheLastTopicWhenItHasABody)
{
    const Lines text = SplitLines("###A\r\nbody a\r\n###B\r\nbody b\r\n\r\n");
    EXPECT_EQ(GetHelpTopicText(text, 0), "body a\r\n");
    EXPECT_EQ(GetHelpTopicText(text, 1), "body b\r\n\r\n");
    EXPECT_EQ(GetHelpTopicText(text, 2), "body b\r\n\r\n");
    EXPECT_EQ(GetHelpTopicText(text, 1000), "body b\r\n\r\n");
    // The title, unlike the body, has no fallback.
    EXPECT_EQ(GetHelpTopicTitle(text, 1), "B");
    EXPECT_EQ(GetHelpTopicTitle(text, 2), "");
    EXPECT_EQ(GetHelpTopicTitle(text, kIndex), "");
}

TEST(HelpTopicText, IsEmptyWithoutAnyTitle)
{
    EXPECT_EQ(GetHelpTopicText({}, 0), "");
    EXPECT_EQ(GetHelpTopicText({"only", "body lines"}, 0), "");
    EXPECT_EQ(GetHelpTopicText({"only", "body lines"}, kIndex), "");
}

TEST(HelpIndexLabels, CarryTheirTopicInAtMostTwoDigits)
{
    for (std::int32_t topic = 0; topic < kMaxTopics; ++topic) {
        const std::string name = IndexLabelName(topic);
        EXPECT_EQ(TopicOfLabelName(name), topic) << name;
    }
    EXPECT_EQ(IndexLabelName(7), "lbind7");
    EXPECT_EQ(IndexLabelName(42), "lbind42");

    struct Case {
        const char* name;
        std::optional<std::int32_t> topic;
    };
    const Case cases[] = {
        {"lbind03", 3}, {"lbind123", 12}, // only two digits are read
        {"lbind", {}},  {"lbin", {}},     {"lbindx", {}}, {"lbind1x", {}}, {"lbind-1", {}}, {"lbind 1", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TopicOfLabelName(c.name), c.topic) << c.name;
    }
}

} // namespace
