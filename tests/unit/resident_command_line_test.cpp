#include <gtest/gtest.h>

#include <vector>

#include "resident/command/CommandLine.h"

namespace klarvo::resident {
namespace {

using I = Invocation;

struct RawCase {
    const char* raw; // as GetCommandLineA hands it over
    Invocation invocation;
    std::vector<HddCategory> categories = {};
    std::int32_t megabytes = 0;
    const char* reportFile = "";
    const char* problemAbout = ""; // a word the problem must name
};

class RawCommandLine : public testing::TestWithParam<RawCase> {};

TEST_P(RawCommandLine, IsReadAsWindowsHandsItOver)
{
    const RawCase& c = GetParam();
    const CommandLine line = ParseCommandLine(c.raw);
    EXPECT_EQ(line.invocation, c.invocation) << c.raw << " | " << line.problem;
    EXPECT_EQ(line.categories, c.categories) << c.raw;
    EXPECT_EQ(line.megabytes, c.megabytes) << c.raw;
    EXPECT_EQ(line.reportFile, c.reportFile) << c.raw;
    EXPECT_NE(line.problem.find(c.problemAbout), std::string::npos) << c.raw << " | " << line.problem;
}

INSTANTIATE_TEST_SUITE_P(
    Starts, RawCommandLine,
    testing::Values(
        // How the shell, the autorun value and Wine start a plain cleaner.
        RawCase{"C:\\Program Files\\Klarvo\\Klarvo.exe", I::Resident},
        RawCase{"\"C:\\Program Files\\Klarvo\\Klarvo.exe\"", I::Resident},
        RawCase{"\"C:\\Program Files\\Klarvo\\Klarvo.exe\" ", I::Resident},
        RawCase{"C:\\PROGRA~1\\KLARVO\\KLARVO.EXE\t \t", I::Resident}, RawCase{"Klarvo.exe tidy up", I::Resident},
        RawCase{"Klarvo.exe -clear", I::Resident},
        // Switches after either kind of program name.
        RawCase{"C:\\Program Files\\Klarvo\\Klarvo.exe /clear", I::Clear},
        RawCase{"\"C:\\Program Files\\Klarvo\\Klarvo.exe\" /clear:temp", I::Clear, {hcTemp}},
        RawCase{"\"Z:\\k\\Klarvo.exe\"/ram:64", I::Ram, {}, 64},
        RawCase{"Klarvo.exe\t/CLEAR:Temp,DIR\t", I::Clear, {hcTemp, hcDir}},
        RawCase{"Klarvo.exe /clear:history,cache,cookies,cache", I::Clear, {hcHistory, hcInternet, hcCookies}},
        RawCase{"Klarvo.exe \"/clear:temp, dir\"", I::Clear, {hcTemp, hcDir}},
        RawCase{"Klarvo.exe   /Ram:4096  ", I::Ram, {}, 4096}, RawCase{"Klarvo.exe /ram:0001", I::Ram, {}, 1},
        RawCase{"Klarvo.exe /?", I::Help},
        // The preview's list, file, or both; quotes keep blanks in a file.
        RawCase{"Klarvo.exe /preview", I::Preview},
        RawCase{"Klarvo.exe /preview:temp,Dir", I::Preview, {hcTemp, hcDir}},
        RawCase{"Klarvo.exe /preview:\"C:\\My Reports\\r.txt\"", I::Preview, {}, 0, "C:\\My Reports\\r.txt"},
        RawCase{"Klarvo.exe \"/preview:cache:C:\\a b\\r.txt\"", I::Preview, {hcInternet}, 0, "C:\\a b\\r.txt"},
        RawCase{"Klarvo.exe /preview:report.txt", I::Preview, {}, 0, "report.txt"},
        // Not understood, naming what was not.
        RawCase{"Klarvo.exe /ram:0", I::NotUnderstood, {}, 0, "", "/ram:0"},
        RawCase{"Klarvo.exe /ram:4097", I::NotUnderstood, {}, 0, "", "/ram:4097"},
        RawCase{"Klarvo.exe /ram:99999999999999999999", I::NotUnderstood, {}, 0, "", "1 to 4096"},
        RawCase{"Klarvo.exe /ram:-5", I::NotUnderstood}, RawCase{"Klarvo.exe /ram:12MB", I::NotUnderstood},
        RawCase{"Klarvo.exe /ram: 12", I::NotUnderstood}, RawCase{"Klarvo.exe /ram", I::NotUnderstood},
        RawCase{"Klarvo.exe /clear:", I::NotUnderstood, {}, 0, "", "missing"},
        RawCase{"Klarvo.exe /clear:temp,,dir", I::NotUnderstood, {}, 0, "", "missing"},
        RawCase{"Klarvo.exe /clear:temp, dir", I::NotUnderstood, {}, 0, "", "missing"},
        RawCase{"Klarvo.exe /clear:tmp", I::NotUnderstood, {}, 0, "", "\"tmp\""},
        RawCase{"Klarvo.exe /clear=temp", I::NotUnderstood, {}, 0, "", "unknown switch"},
        RawCase{"Klarvo.exe /quiet", I::NotUnderstood, {}, 0, "", "/quiet"}, RawCase{"Klarvo.exe /", I::NotUnderstood},
        RawCase{"Klarvo.exe /?:x", I::NotUnderstood},
        RawCase{"Klarvo.exe /clear /ram:64", I::NotUnderstood, {}, 0, "", "/ram:64: one switch"},
        RawCase{"Klarvo.exe /clear /clear", I::NotUnderstood, {}, 0, "", "one switch"},
        RawCase{"Klarvo.exe /preview:", I::NotUnderstood, {}, 0, "", "missing"},
        RawCase{"Klarvo.exe /preview:temp:", I::NotUnderstood, {}, 0, "", "missing"},
        RawCase{"Klarvo.exe /preview:report", I::NotUnderstood, {}, 0, "", "\"report\""}));

} // namespace
} // namespace klarvo::resident
