#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "pages/HelpText.h"

using namespace klarvo::help;

namespace {

TEST(HelpNavigation, StepsFromEveryState)
{
    struct Case {
        std::int32_t topic, count;
        std::int32_t next, back;
    };
    const Case cases[] = {
        // five topics
        {kIndex, 5, 0, kIndex},
        {0, 5, 1, kIndex},
        {1, 5, 2, 0},
        {3, 5, 4, 2},
        {4, 5, kIndex, 3}, // the last topic's Next returns to the index
        // one topic
        {kIndex, 1, 0, kIndex},
        {0, 1, kIndex, kIndex},
        // no topics: Next never opens one
        {kIndex, 0, kIndex, kIndex},
        // the ends of the range step without overflow
        {0, INT32_MIN, kIndex, kIndex},
        {INT32_MAX, INT32_MAX, kIndex, INT32_MAX - 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextTopic(c.topic, c.count), c.next) << "Next from " << c.topic << " of " << c.count;
        EXPECT_EQ(BackTopic(c.topic), c.back) << "Back from " << c.topic;
    }
    EXPECT_EQ(IndexTopic(), kIndex);
}

// Pressing Next from the index visits every topic once and comes back;
// Back from the last topic walks down to the index. "Back" is enabled
// exactly while a topic is shown.
TEST(HelpNavigation, NextAndBackWalkTheWholeCircle)
{
    const std::int32_t count = 5;
    std::vector<std::int32_t> visited;
    std::int32_t topic = IndexTopic();
    for (int press = 0; press <= count; ++press) {
        topic = NextTopic(topic, count);
        visited.push_back(topic);
        EXPECT_EQ(BackEnabled(topic), !ShowsIndex(topic));
    }
    EXPECT_EQ(visited, (std::vector<std::int32_t>{0, 1, 2, 3, 4, kIndex}));

    visited.clear();
    topic = count - 1;
    while (!ShowsIndex(topic)) {
        topic = BackTopic(topic);
        visited.push_back(topic);
    }
    EXPECT_EQ(visited, (std::vector<std::int32_t>{3, 2, 1, 0, kIndex}));
    EXPECT_FALSE(BackEnabled(topic));
}

} // namespace
