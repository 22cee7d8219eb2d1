#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "link/Notifications.h"

using namespace klarvo;

namespace {

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
// -1 as a 32-bit sender's bits, zero-extended to 64: not the marker.
constexpr std::int64_t kMinusOneBits = 0xFFFFFFFFll;

struct TextCase {
    std::int64_t value;
    const char* text;
};

TEST(NotificationTextTest, EffectInMegabytesAndKilobytes)
{
    const TextCase cases[] = {
        {-1, "? ? ?"},
        {0, "0 MB (0 KB)"},
        {1000, "0 MB (1000 KB)"},
        {1023, "0 MB (1023 KB)"},
        {1024, "1 MB (1024 KB)"},
        {5120, "5 MB (5120 KB)"},
        {5119, "4 MB (5119 KB)"},
        // Truncation toward zero, also below zero.
        {-2, "0 MB (-2 KB)"},
        {-1000, "0 MB (-1000 KB)"},
        {-1024, "-1 MB (-1024 KB)"},
        {-2047, "-1 MB (-2047 KB)"},
        {-2048, "-2 MB (-2048 KB)"},
        {kInt32Max, "2097151 MB (2147483647 KB)"},
        {kInt32Min, "-2097152 MB (-2147483648 KB)"},
        {kMinusOneBits, "4194303 MB (4294967295 KB)"},
        {0x100000000ll, "4194304 MB (4294967296 KB)"},
        {kInt64Max, "9007199254740991 MB (9223372036854775807 KB)"},
        {kInt64Min, "-9007199254740992 MB (-9223372036854775808 KB)"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(EffectText(c.value), c.text) << c.value;
    }
}

TEST(NotificationTextTest, ElapsedTimeWithUnwrappedHours)
{
    const TextCase cases[] = {
        {-1, "? ? ?"},
        {0, "0:00:00  ago"},
        {9, "0:00:09  ago"},
        {59, "0:00:59  ago"},
        {60, "0:01:00  ago"},
        {600, "0:10:00  ago"},
        {3599, "0:59:59  ago"},
        {3600, "1:00:00  ago"},
        {3725, "1:02:05  ago"},
        {36000, "10:00:00  ago"},
        {25 * 3600, "25:00:00  ago"},
        {kInt32Max, "596523:14:07  ago"},
        {kMinusOneBits, "1193046:28:15  ago"},
        {kInt64Max, "2562047788015215:30:07  ago"},
        // No negative count is a time: never "0:00:-59".
        {-2, "? ? ?"},
        {-59, "? ? ?"},
        {-3600, "? ? ?"},
        {kInt32Min, "? ? ?"},
        {kInt64Min, "? ? ?"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(ElapsedText(c.value), c.text) << c.value;
    }
}

TEST(NotificationValueTest, ShowPageIgnoresNegativesAndCapsAtTheLastPage)
{
    const std::pair<std::int64_t, std::optional<int>> cases[] = {
        {-1, std::nullopt},
        {kInt32Min, std::nullopt},
        {kInt64Min, std::nullopt},
        {0, 0},
        {2, 2},
        {6, 6},
        {7, 6},
        {9, 6},
        {kInt32Max, 6},
        {kMinusOneBits, 6},
        // Would be page 2 if cut to 32 bits.
        {0x100000002ll, 6},
        {kInt64Max, 6},
    };
    for (const auto& [page, target] : cases) {
        EXPECT_EQ(ShowPageTarget(page), target) << page;
    }
}

TEST(NotificationValueTest, ProgressStaysWithinTheBar)
{
    const std::pair<std::int64_t, int> cases[] = {
        {kInt64Min, 0},       {-1, 0},          {0, 0}, {1, 1}, {50, 50}, {100, 100}, {101, 100},
        {0x100000032ll, 100}, {kInt64Max, 100},
    };
    for (const auto& [percent, position] : cases) {
        EXPECT_EQ(ProgressPosition(percent), position) << percent;
    }
}

TEST(NotificationValueTest, OnlyTheSixCodesAreNotifications)
{
    for (std::uint64_t code = 1; code <= 6; ++code) {
        EXPECT_EQ(NotificationCode(code), static_cast<ShellNotification>(code));
    }
    const std::uint64_t unknown[] = {
        0, 7, 1104, 0x100000002ull, 0xFFFFFFFFull, std::numeric_limits<std::uint64_t>::max()};
    for (std::uint64_t code : unknown) {
        EXPECT_EQ(NotificationCode(code), std::nullopt) << code;
    }
}

} // namespace
