#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "resident/disk/DiskFunctions.h"
#include "resident/work/Log.h"
#include "resident/window/Resident.h"
#include "support/TempDir.h"
#include "support/WindowsLine.h"
#include "win/Handles.h"

namespace klarvo::resident {
namespace {

using test::FileExists;
using test::TempDir;
using test::WriteText;

// Run with --line=9x, every test here takes the path of Windows 95 and 98,
// which has no replacing move.
testing::Environment* const kWindows9xPath =
    testing::AddGlobalTestEnvironment(new test::Windows9xPath(kWindows9xLacks));

TEST(ResidentLog, KeepsTheNewerHalfOfWholeLinesWhenFull)
{
    TempDir temp;
    Log log(temp.File(kLogName));
    const std::string filler(90, '-');
    constexpr int kLines = 2000; // about three times the limit
    for (int i = 0; i < kLines; ++i) {
        log.Write("line " + std::to_string(i) + (i == kLines - 1 ? "\r\nforged" : "") + " " + filler);
    }
    const std::string content = test::ReadText(log.File());
    EXPECT_LE(content.size(), kLogLimitBytes);
    EXPECT_GT(content.size(), kLogLimitBytes / 3);
    const std::string last = "line " + std::to_string(kLines - 1) + " ";
    EXPECT_NE(content.find(last), std::string::npos);
    EXPECT_EQ(content.find("line 0 "), std::string::npos) << "the oldest lines go first";
    // Every line whole, stamped, and one event each.
    std::size_t lines = 0;
    for (std::size_t at = 0; at < content.size(); at = content.find('\n', at) + 1, ++lines) {
        ASSERT_EQ(content.compare(at, 2, "20"), 0) << "at " << at;
        ASSERT_NE(content.find("\r\n", at), std::string::npos);
    }
    EXPECT_EQ(content.find("\nforged"), std::string::npos);
    EXPECT_GT(lines, 100u);
    EXPECT_FALSE(FileExists(log.File() + ".new"));
}

// A person may follow the log in a viewer that holds it open, sharing
// writing but not deleting: no line is lost to it, even when the log is
// full and cannot be replaced by its trimmed half meanwhile.
TEST(ResidentLog, LosesNoLineToAViewerHoldingIt)
{
    TempDir temp;
    Log log(temp.File(kLogName));
    log.Write("first");
    const FileHandle viewer(CreateFileA(log.File().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(viewer);
    const std::string filler(200, '-');
    const int lines = static_cast<int>(kLogLimitBytes / filler.size()) + 10;
    for (int i = 0; i < lines; ++i) {
        log.Write("line " + std::to_string(i) + " " + filler);
    }
    const std::string content = test::ReadText(log.File());
    EXPECT_NE(content.find("line " + std::to_string(lines - 1) + " "), std::string::npos);
    EXPECT_FALSE(FileExists(log.File() + ".new"));
}

// A trim writes the new log beside the old one first; a cleaner that ended
// half way finds one of two states at its next start.
TEST(ResidentLog, RecoversAHalfDoneTrim)
{
    TempDir temp;
    const std::string file = temp.File(kLogName);
    const std::string trimmed = file + ".new";
    WriteText(trimmed, "newer half\r\n");
    {
        const Log log(file);
    }
    EXPECT_EQ(test::ReadText(file), "newer half\r\n") << "the old log had gone: the new one takes its place";
    EXPECT_FALSE(FileExists(trimmed));
    WriteText(trimmed, "half written");
    {
        const Log log(file);
    }
    EXPECT_EQ(test::ReadText(file), "newer half\r\n") << "the old log was whole: it stays";
    EXPECT_FALSE(FileExists(trimmed));
}

// The numbers of the "line N" entries of a log, in the order they stand.
std::vector<int> LineNumbers(const std::string& content)
{
    std::vector<int> numbers;
    for (std::size_t at = content.find(" line "); at != std::string::npos; at = content.find(" line ", at + 1)) {
        numbers.push_back(std::stoi(content.substr(at + 6)));
    }
    return numbers;
}

// Whatever a viewer holding the log lets others do, the lines written
// meanwhile reach the log once it lets go: all of them, in order, after
// the older ones the size rule kept, and within that rule.
TEST(ResidentLog, LosesNoLineToAViewerWhateverItShares)
{
    const struct {
        const char* viewer;
        DWORD sharing;
    } cases[] = {
        {"sharing nothing", 0},
        {"sharing reading", FILE_SHARE_READ},
        {"sharing reading and writing", FILE_SHARE_READ | FILE_SHARE_WRITE},
        {"sharing reading, writing and deleting", FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE},
    };
    const std::string filler(200, '-');
    const int perQuarter = static_cast<int>(kLogLimitBytes / 4 / (filler.size() + 32));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.viewer);
        TempDir temp;
        Log log(temp.File(kLogName));
        int next = 0;
        auto writeUpTo = [&](int end) {
            for (; next < end; ++next) {
                log.Write("line " + std::to_string(next) + " " + filler);
            }
        };
        writeUpTo(3 * perQuarter);
        const int firstHeld = next;
        {
            const FileHandle viewer(
                CreateFileA(log.File().c_str(), GENERIC_READ, c.sharing, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(viewer);
            writeUpTo(next + perQuarter + 10); // past the limit
        }
        writeUpTo(next + 1);
        const std::string content = test::ReadTextIfAny(log.File());
        EXPECT_LE(content.size(), kLogLimitBytes);
        const std::vector<int> numbers = LineNumbers(content);
        const auto gap = std::adjacent_find(numbers.begin(), numbers.end(), [](int a, int b) { return b != a + 1; });
        EXPECT_TRUE(gap == numbers.end()) << "lost or out of order after line " << (gap == numbers.end() ? -1 : *gap);
        EXPECT_LE(numbers.empty() ? next : numbers.front(), firstHeld);
        EXPECT_EQ(numbers.empty() ? -1 : numbers.back(), next - 1);
        EXPECT_FALSE(FileExists(log.File() + ".new"));
    }
}

// What the cleaner logs for a handler of its window that failed.
TEST(ResidentLog, AFailedHandlerGetsALineOfItsOwn)
{
    const std::string lead = "a message handler failed, the cleaner carries on: ";
    const std::pair<void (*)(), std::string> failures[] = {
        {[] { throw std::runtime_error("no memory for the job"); }, lead + "no memory for the job"},
        {[] { throw 7; }, lead + "unknown failure"},
    };
    for (const auto& [fail, line] : failures) {
        try {
            fail();
        } catch (...) {
            EXPECT_EQ(HandlerFailureLine(), line);
        }
    }
}

} // namespace
} // namespace klarvo::resident
