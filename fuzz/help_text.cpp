// Any help text and any topic number through the splitter, the title and
// topic lookups and the reader's steps.

#include "Check.h"
#include "pages/HelpText.h"

#include <climits>
#include <string>

using namespace klarvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::int32_t topic = in.ConsumeIntegral<std::int32_t>();
    const std::int32_t count = in.ConsumeIntegral<std::int32_t>();
    const std::string text = in.ConsumeRemainingBytesAsString();

    const std::vector<std::string> lines = help::SplitLines(text);
    for (const std::string& line : lines) {
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
    }
    const std::vector<std::string> titles = help::GetHelpTitles(lines);
    for (const std::string& title : titles) {
        FUZZ_CHECK(title.size() <= help::kMaxTitleLength);
    }
    const std::int32_t labels = help::IndexLabelCount(titles.size());
    FUZZ_CHECK(labels >= 0 && labels <= help::kMaxTopics);

    const auto titleCount = static_cast<std::int32_t>(titles.size());
    for (std::int32_t t : {topic, help::kIndex, 0, titleCount - 1, titleCount, INT_MIN, INT_MAX}) {
        const std::string body = help::GetHelpTopicText(lines, t);
        FUZZ_CHECK(titles.empty() ? body.empty() : body.size() <= text.size() * 2 + 2);
        const std::string title = help::GetHelpTopicTitle(lines, t);
        if (t >= 0 && t < titleCount) {
            FUZZ_CHECK(title == titles[static_cast<std::size_t>(t)]);
        } else {
            FUZZ_CHECK(title.empty());
        }
        for (std::int32_t c : {count, titleCount, INT_MIN, INT_MAX}) {
            const std::int32_t next = help::NextTopic(t, c);
            FUZZ_CHECK(next == help::kIndex || (next == t + 1 && next < c));
        }
        const std::int32_t back = help::BackTopic(t);
        FUZZ_CHECK(back == help::kIndex || (back == t - 1 && back >= 0));
    }

    // A label name the reader meets: its own, or any text.
    if (topic >= 0 && topic < help::kMaxTopics) {
        FUZZ_CHECK(help::TopicOfLabelName(help::IndexLabelName(topic)) == topic);
    }
    if (const std::optional<std::int32_t> t = help::TopicOfLabelName(text)) {
        FUZZ_CHECK(*t >= 0 && *t < help::kMaxTopics);
    }
    return 0;
}
