#include <gtest/gtest.h>

#include "link/Messages.h"
#include "pages/InfoFigures.h"

using namespace klarvo;

namespace {

TEST(InfoFigures, TextsAndBars)
{
    EXPECT_EQ(InfoFigureTextsFor(65, 30, 46), (InfoFigureTexts{"65 MB", "30 MB", "46 %", 100, 46}));
    EXPECT_EQ(InfoFigureTextsFor(4096, 4095, 99), (InfoFigureTexts{"4096 MB", "4095 MB", "99 %", 100, 99}));
    EXPECT_EQ(InfoFigureTextsFor(1, 0, 0), (InfoFigureTexts{"1 MB", "0 MB", "0 %", 100, 0}));
}

TEST(EffectLabels, ReportsReachTheirLabelsInTheirFormats)
{
    const struct {
        std::uint64_t code;
        std::int64_t value;
        const char* label;
        const char* text;
    } cases[] = {
        {ntLastEffect, 5120, "lbcleanlast", "5 MB (5120 KB)"},
        {ntLastEffect, 1000, "lbcleanlast", "0 MB (1000 KB)"},
        {ntLastEffect, -1, "lbcleanlast", "? ? ?"},
        {ntTotalEffect, 0, "lbcleanall", "0 MB (0 KB)"},
        {ntTotalEffect, -1, "lbcleanall", "? ? ?"},
        {ntTimeSince, 0, "lbtime", "0:00:00  ago"},
        {ntTimeSince, 3725, "lbtime", "1:02:05  ago"},
        {ntTimeSince, 25 * 3600, "lbtime", "25:00:00  ago"},
        {ntTimeSince, -1, "lbtime", "? ? ?"},
    };
    for (const auto& c : cases) {
        const std::optional<EffectLabelText> got = EffectLabelFor(c.code, c.value);
        ASSERT_TRUE(got.has_value()) << c.code << " " << c.value;
        EXPECT_EQ(*got, (EffectLabelText{c.label, c.text}));
    }
    for (std::uint64_t other : {0ull, 1ull, 5ull, 6ull, 7ull, 0x100000002ull}) {
        EXPECT_FALSE(EffectLabelFor(other, 5120).has_value()) << other;
    }
}

} // namespace
