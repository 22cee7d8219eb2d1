#include <gtest/gtest.h>

#include "app/PageArgument.h"

using klarvo::ParsePageArgument;

namespace {

TEST(PageArgument, DecimalTextWithZeroForAnythingElse)
{
    struct Case {
        const char* text;
        std::int32_t page;
    };
    const Case cases[] = {
        {nullptr, 0},       {"", 0},
        {"0", 0},           {"3", 3},
        {"6", 6},           {"12", 12},
        {"-1", -1},         {"+2", 2},
        {"abc", 0},         {"3abc", 0},
        {"3 ", 0},          {" 4", 4},
        {"-", 0},           {"+", 0},
        {"99999999999", 0}, {"2147483647", 2147483647},
        {"2147483648", 0},  {"-2147483648", INT32_MIN},
        {"-2147483649", 0}, {"0x3", 0},
        {"007", 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParsePageArgument(c.text), c.page) << (c.text ? c.text : "(missing)");
    }
}

} // namespace
