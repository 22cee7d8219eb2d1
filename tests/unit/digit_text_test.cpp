#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "controls/NDigitEditText.h"

using namespace klarvo::digitedit;

namespace {

TEST(DigitText, ReadsADecimalIntegerOrZero)
{
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"0", 0},
        {"05", 5},
        {"999", 999},
        {"-12", -12},
        {"+7", 7},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"00000000000000000000042", 42},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseValue(c.text), c.value) << '"' << c.text << '"';
    }
    for (const char* refused :
         {"", "-", "+", "12a", "1 2", " 5", "0x10", "2147483648", "-2147483649", "99999999999999999999999"}) {
        EXPECT_EQ(ParseValue(refused), 0) << '"' << refused << '"';
    }
}

TEST(DigitText, WritesWhatItReads)
{
    for (std::int32_t v : {0, 5, -1, 500, INT32_MAX, INT32_MIN}) {
        EXPECT_EQ(ParseValue(FormatValue(v)), v);
    }
    EXPECT_EQ(FormatValue(-42), "-42");
}

TEST(DigitText, LetsOnlyDigitsBackspaceAndReturnThrough)
{
    for (int ch = -128; ch < 128; ++ch) {
        const bool expected = (ch >= '0' && ch <= '9') || ch == 8 || ch == 13;
        EXPECT_EQ(AcceptsTyped(char(ch)), expected) << ch;
    }
}

} // namespace
