#include <gtest/gtest.h>

#include "framework/loader/FormParser.h"

#include <string>

using namespace klarvo;

namespace {

// Texts the reader must refuse rather than read as something else.
TEST(FormParser, RefusesWhatItCannotReadFaithfully)
{
    const char* refused[] = {
        // A decimal number with letters in it is no number, not its digits.
        "object a: T\n  Width = 12ab\nend",       "object a: T\n  Width = 0ff\nend",
        "object a: T\n  Width = 4294967296\nend", "object a: T\n  Caption = 'open\nend",
        "object a: T\n  Caption = #256\nend",     "object a: T\n  Data = {ABC}\nend",
        "object a: T\nend\nobject b: T\nend",
    };
    for (const char* text : refused) {
        EXPECT_THROW(ParseForm(text), FormError) << text;
    }
}

TEST(FormParser, NestingBeyondTheLimitIsAnErrorNotADeepRecursion)
{
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) {
            text += "object o" + std::to_string(i) + ": T\n";
        }
        for (int i = 0; i < depth; ++i) {
            text += "end\n";
        }
        return text;
    };
    EXPECT_NO_THROW(ParseForm(nested(kMaxFormDepth)));
    EXPECT_THROW(ParseForm(nested(kMaxFormDepth + 1)), FormError);
    EXPECT_THROW(ParseForm(std::string(200000, '\n') + nested(100000)), FormError);
}

TEST(FormParser, HexAndDecimalNumbersKeepTheirValues)
{
    const auto top = ParseForm("object a: T\n  A = $7fFFffFF\n  B = -2147483648\n  C = $FFFFFFFF\n  D = 0012\nend");
    ASSERT_EQ(top->properties.size(), 4u);
    EXPECT_EQ(top->properties[0].second.integer, 0x7FFFFFFF);
    EXPECT_EQ(top->properties[1].second.integer, -2147483648LL);
    EXPECT_EQ(top->properties[2].second.integer, 4294967295LL);
    EXPECT_EQ(top->properties[3].second.integer, 12);
}

} // namespace
