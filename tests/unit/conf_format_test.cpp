#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/ConfFormat.h"

using klarvo::SplitLines;
using Lines = std::vector<std::string>;

namespace {

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
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitLines(c.text), c.lines) << '"' << c.text << '"';
    }
}

} // namespace
