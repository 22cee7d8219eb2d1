#include "resident/command/CommandLine.h"

#include <algorithm>
#include <optional>

namespace klarvo::resident {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), Lower);
    return text;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string Trimmed(const std::string& text)
{
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

// Where the program's name ends: at its closing quote, or unquoted at the
// first blank, however the path goes on.
std::size_t AfterProgramName(const std::string& raw)
{
    std::size_t at = 0;
    while (at < raw.size() && IsBlank(raw[at])) {
        ++at;
    }
    if (at < raw.size() && raw[at] == '"') {
        const std::size_t closing = raw.find('"', at + 1);
        return closing == std::string::npos ? raw.size() : closing + 1;
    }
    while (at < raw.size() && !IsBlank(raw[at])) {
        ++at;
    }
    return at;
}

std::vector<std::string> Words(const std::string& raw, std::size_t from)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (std::size_t at = from; at < raw.size(); ++at) {
        const char c = raw[at];
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (IsBlank(c) && !quoted) {
            if (inWord) {
                words.push_back(word);
            }
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

constexpr struct {
    const char* name;
    HddCategory category;
} kCategoryNames[] = {
    {"temp", hcTemp}, {"cache", hcInternet}, {"cookies", hcCookies}, {"history", hcHistory}, {"dir", hcDir},
};

CommandLine NotUnderstood(const std::string& word, const std::string& why)
{
    CommandLine line;
    line.invocation = Invocation::NotUnderstood;
    line.problem = word + ": " + why;
    return line;
}

// Fills `line.categories` from a list of names; the problem otherwise.
std::optional<std::string> ReadCategories(const std::string& list, CommandLine& line)
{
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string name = Lowered(Trimmed(list.substr(start, comma - start)));
        if (name.empty()) {
            return "a category is missing between the commas";
        }
        const auto known = std::find_if(std::begin(kCategoryNames), std::end(kCategoryNames),
                                        [&](const auto& row) { return name == row.name; });
        if (known == std::end(kCategoryNames)) {
            return "unknown category \"" + name + "\"";
        }
        if (std::find(line.categories.begin(), line.categories.end(), known->category) == line.categories.end()) {
            line.categories.push_back(known->category);
        }
        if (comma == std::string::npos) {
            return std::nullopt;
        }
        start = comma + 1;
    }
}

bool IsCategoryList(const std::string& text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return IsLetter(c) || c == ',' || IsBlank(c); });
}

CommandLine ReadClear(const std::string& word, const std::optional<std::string>& value)
{
    CommandLine line;
    line.invocation = Invocation::Clear;
    if (value) {
        if (const auto problem = ReadCategories(*value, line)) {
            return NotUnderstood(word, *problem);
        }
    }
    return line;
}

CommandLine ReadRam(const std::string& word, const std::optional<std::string>& value)
{
    const std::string range = "megabytes from 1 to " + std::to_string(kMaxCommandLineMegabytes);
    if (!value || value->empty() ||
        !std::all_of(value->begin(), value->end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return NotUnderstood(word, "wants " + range);
    }
    std::int64_t megabytes = 0;
    for (char digit : *value) {
        // Past the highest it can only stay too high.
        megabytes = std::min<std::int64_t>(megabytes * 10 + (digit - '0'), kMaxCommandLineMegabytes + 1);
    }
    if (megabytes < 1 || megabytes > kMaxCommandLineMegabytes) {
        return NotUnderstood(word, "wants " + range);
    }
    CommandLine line;
    line.invocation = Invocation::Ram;
    line.megabytes = static_cast<std::int32_t>(megabytes);
    return line;
}

CommandLine ReadPreview(const std::string& word, const std::optional<std::string>& value)
{
    CommandLine line;
    line.invocation = Invocation::Preview;
    if (!value) {
        return line;
    }
    std::string list;
    // A single letter before the colon is a drive, never a list.
    const std::size_t colon = value->find(':');
    if (IsCategoryList(*value)) {
        list = *value;
    } else if (colon != std::string::npos && colon > 1 && IsCategoryList(value->substr(0, colon))) {
        list = value->substr(0, colon);
        line.reportFile = value->substr(colon + 1);
    } else {
        line.reportFile = *value;
    }
    if (!list.empty()) {
        if (const auto problem = ReadCategories(list, line)) {
            return NotUnderstood(word, *problem);
        }
    }
    if (value->empty() || (colon != std::string::npos && line.reportFile.empty())) {
        return NotUnderstood(word, "a report file is missing");
    }
    return line;
}

CommandLine ReadSwitch(const std::string& word)
{
    const std::size_t colon = word.find(':');
    const std::string name = Lowered(word.substr(0, colon));
    const std::optional<std::string> value =
        colon == std::string::npos ? std::nullopt : std::optional<std::string>(word.substr(colon + 1));
    if (name == "/clear") {
        return ReadClear(word, value);
    }
    if (name == "/ram") {
        return ReadRam(word, value);
    }
    if (name == "/preview") {
        return ReadPreview(word, value);
    }
    if (name == "/?" && !value) {
        CommandLine line;
        line.invocation = Invocation::Help;
        return line;
    }
    return NotUnderstood(word, "unknown switch");
}

} // namespace

CommandLine ParseCommandLine(const std::string& raw)
{
    std::vector<std::string> switches;
    for (const std::string& word : Words(raw, AfterProgramName(raw))) {
        if (!word.empty() && word[0] == '/') {
            switches.push_back(word);
        }
    }
    if (switches.empty()) {
        return CommandLine{};
    }
    if (switches.size() > 1) {
        return NotUnderstood(switches[1], "one switch at a time");
    }
    return ReadSwitch(switches[0]);
}

std::string CommandLineHelp()
{
    // Each switch on a line of its own, its meaning indented below: a tab
    // lines up alike in a box and in a console.
    return "Klarvo.exe cleans once and ends when started with one of these switches:\n"
           "\n"
           "/clear\n"
           "\tclean the categories ticked in Klarvo Shell\n"
           "/clear:LIST\n"
           "\tclean these categories, separated by commas:\n"
           "\ttemp, cache, cookies, history, dir\n"
           "/ram:MB\n"
           "\tfree MB megabytes of memory (1 to 4096)\n"
           "/preview[:LIST][:FILE]\n"
           "\twrite what a Clear would delete to FILE, deleting nothing\n"
           "/?\n"
           "\tshow this text\n"
           "\n"
           "Example: Klarvo.exe /clear:temp,cache\n"
           "\n"
           "Exit code: 0 all done; 1 something was refused, failed or left\n"
           "behind (Klarvo.log says what); 2 the command line was not understood.\n"
           "Without a switch Klarvo.exe starts the resident cleaner.\n";
}

} // namespace klarvo::resident
