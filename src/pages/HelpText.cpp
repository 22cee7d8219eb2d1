#include "pages/HelpText.h"

namespace klarvo::help {

bool IsTitleLine(std::string_view line)
{
    return line.starts_with("###");
}

std::vector<std::string> GetHelpTitles(const std::vector<std::string>& lines)
{
    std::vector<std::string> titles;
    for (const std::string& line : lines) {
        if (IsTitleLine(line)) {
            titles.push_back(line.substr(3, kMaxTitleLength));
        }
    }
    return titles;
}

std::string GetHelpTopicText(const std::vector<std::string>& lines, std::int32_t helpTopic)
{
    // The title line of the topic, or of the last topic when the text has
    // fewer titles than the number asks for.
    std::optional<std::size_t> title;
    std::int32_t count = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!IsTitleLine(lines[i])) {
            continue;
        }
        title = i;
        if (count == helpTopic) {
            break;
        }
        ++count;
    }
    if (!title) {
        return {};
    }

    std::string text;
    for (std::size_t i = *title + 1; i < lines.size() && !IsTitleLine(lines[i]); ++i) {
        text += lines[i];
        text += "\r\n";
    }
    return text;
}

std::string GetHelpTopicTitle(const std::vector<std::string>& lines, std::int32_t helpTopic)
{
    if (helpTopic < 0) {
        return {};
    }
    std::int32_t count = 0;
    for (const std::string& line : lines) {
        if (IsTitleLine(line) && count++ == helpTopic) {
            return line.substr(3, kMaxTitleLength);
        }
    }
    return {};
}

std::int32_t IndexLabelCount(std::size_t titleCount)
{
    return titleCount < static_cast<std::size_t>(kMaxTopics) ? static_cast<std::int32_t>(titleCount) : kMaxTopics;
}

std::string IndexLabelName(std::int32_t topic)
{
    return kIndexLabelPrefix + std::to_string(topic);
}

std::optional<std::int32_t> TopicOfLabelName(std::string_view name)
{
    constexpr std::size_t prefixLength = sizeof kIndexLabelPrefix - 1;
    if (name.size() <= prefixLength) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(prefixLength, 2);
    std::int32_t topic = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        topic = topic * 10 + (c - '0');
    }
    return topic;
}

std::int32_t NextTopic(std::int32_t helpTopic, std::int32_t helpTopicCount)
{
    // Neither "count - 1" nor "topic + 1" may overflow at the ends of the range.
    if (helpTopic < helpTopicCount && helpTopic + 1 < helpTopicCount) {
        return helpTopic + 1;
    }
    return kIndex;
}

std::int32_t BackTopic(std::int32_t helpTopic)
{
    if (helpTopic <= 0) {
        return kIndex;
    }
    return helpTopic - 1;
}

} // namespace klarvo::help
