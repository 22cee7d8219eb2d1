#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/ConfFormat.h"

using klarvo::SplitLines;
using Lines = std::vector<std::string>;

namespace {

// The settings' lines and the help text's (as a multi-line edit holds them).
TEST(SplitLines, EveryLineEndingCounts)
{
    struct Case {
        const char* text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\rb", {"a", "", "b"}},   // LF then CR: two endings
        {"a\r\r\nb", {"a", "", "b"}}, // CR then CR LF
        {"C:\\x y\\z.wav\n", {"C:\\x y\\z.wav"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"\r\n", {""}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\r\n\r\n\r\nb\r\n", {"a", "", "", "b"}},
        {"a\nb\rc\r\n", {"a", "b", "c"}}, // lone LF and CR break lines too
        {"     indented  \r\n   - item\r\n", {"     indented  ", "   - item"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitLines(c.text), c.lines) << '"' << c.text << '"';
    }
}

} // namespace
