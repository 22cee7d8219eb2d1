#pragma once

// The help reader's text and navigation, apart from its window. The text is
// a list of lines; a line beginning with "###" starts a topic and carries
// its title, and the lines up to the next title are the topic's body. The
// reader shows either the index (HelpTopic = -1) or one topic.

#include "settings/ConfFormat.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace klarvo::help {

// HelpTopic while the index is shown.
constexpr std::int32_t kIndex = -1;
// An index label's name carries the topic number in at most two digits.
constexpr std::int32_t kMaxTopics = 100;
// A title is cut after this many characters.
constexpr std::size_t kMaxTitleLength = 10000;
// Index labels are named this followed by the topic number in decimal.
inline constexpr char kIndexLabelPrefix[] = "lbind";

// The lines of the help text, split as the settings store splits its own.
using klarvo::SplitLines;

bool IsTitleLine(std::string_view line);

// The titles in order, each without its "###" and at most kMaxTitleLength
// characters long. Their number is HelpTopicCount.
std::vector<std::string> GetHelpTitles(const std::vector<std::string>& lines);

// The body of topic `helpTopic` as one text, every line followed by CR LF.
// A number that no title has (beyond the last, or negative) gives the last
// topic's body; a text without any title gives an empty text. "&&" is left
// as it is: the label that shows the text turns it into one "&".
std::string GetHelpTopicText(const std::vector<std::string>& lines, std::int32_t helpTopic);

// The title of topic `helpTopic`; empty for a number no title has.
std::string GetHelpTopicTitle(const std::vector<std::string>& lines, std::int32_t helpTopic);

// How many index labels `titleCount` titles get: one each, up to the
// number that label names can carry.
std::int32_t IndexLabelCount(std::size_t titleCount);

// "lbind" + topic in decimal.
std::string IndexLabelName(std::int32_t topic);

// The topic an index label stands for: its name's characters from the sixth
// on, at most two of them, read as a decimal number. Nothing when they are
// missing or not digits.
std::optional<std::int32_t> TopicOfLabelName(std::string_view name);

// The reader's steps over (HelpTopic, HelpTopicCount); each returns the new
// HelpTopic, kIndex meaning that the index is shown.
//
// Next: the following topic, from the index the first one; from the last
// topic back to the index.
std::int32_t NextTopic(std::int32_t helpTopic, std::int32_t helpTopicCount);
// Back: the previous topic; from the first topic (or the index) the index.
std::int32_t BackTopic(std::int32_t helpTopic);
// Index, and every new visit of the page.
constexpr std::int32_t IndexTopic()
{
    return kIndex;
}

// What the page shows in a state: the index labels, or the title and text
// of a topic; "Back" is enabled only on a topic ("Next" and "Index" always).
constexpr bool ShowsIndex(std::int32_t helpTopic)
{
    return helpTopic == kIndex;
}
constexpr bool BackEnabled(std::int32_t helpTopic)
{
    return helpTopic != kIndex;
}

} // namespace klarvo::help
