#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "resident/disk/PathRules.h"

namespace klarvo::resident {
namespace {

TEST(Spelling, IsJudgedBeforeTheDiskIsAsked)
{
    const std::pair<PathVerdict, std::vector<const char*>> refused[] = {
        {PathVerdict::Empty, {"", "  \t"}},
        {PathVerdict::NotAbsolute,
         {"temp", "\\temp", "C:temp", " C:\\temp", "\\\\server\\share\\temp", "\\\\?\\C:\\temp",
          "\\\\.\\C:", "1:\\temp", "C:"}},
        {PathVerdict::DotComponent,
         {"C:\\temp\\..", "C:\\temp\\..\\windows", "C:\\.\\temp", "C:\\temp\\...", "C:\\temp\\. ."}},
        {PathVerdict::BadCharacters,
         {"C:\\windows.", "C:\\windows ", "C:\\temp\\*", "C:\\te?p", "C:\\temp:stream", "C:\\temp\\a|b",
          "C:\\temp\r"}}};
    for (const auto& [verdict, texts] : refused) {
        for (const char* text : texts) {
            EXPECT_EQ(NormaliseDirectory(text).verdict, verdict) << text;
        }
    }
    const struct {
        const char* text;
        PathVerdict verdict;
        const char* normalised;
    } taken[] = {
        {"C:\\", PathVerdict::DriveRoot, "C:\\"},
        {"c:/", PathVerdict::DriveRoot, "c:\\"},
        {"C:\\\\\\", PathVerdict::DriveRoot, "C:\\"},
        {"C:\\temp", PathVerdict::Accepted, "C:\\temp"},
        {"C:\\temp\\", PathVerdict::Accepted, "C:\\temp"},
        {"C:/a//b\\\\c/", PathVerdict::Accepted, "C:\\a\\b\\c"},
        {"D:\\My Files\\.hidden", PathVerdict::Accepted, "D:\\My Files\\.hidden"},
        {"C:\\Temporary Internet Files", PathVerdict::Accepted, "C:\\Temporary Internet Files"},
    };
    for (const auto& c : taken) {
        const NormalisedPath result = NormaliseDirectory(c.text);
        EXPECT_EQ(result.verdict, c.verdict) << c.text;
        EXPECT_EQ(result.path, c.normalised) << c.text;
    }
}

TEST(IsSameOrInside, RespectsComponentBoundaries)
{
    EXPECT_TRUE(IsSameOrInside("C:\\TEMP", "C:\\TEMP"));
    EXPECT_TRUE(IsSameOrInside("C:\\TEMP\\A", "C:\\TEMP"));
    EXPECT_FALSE(IsSameOrInside("C:\\TEMP2", "C:\\TEMP"));
    EXPECT_FALSE(IsSameOrInside("C:\\TEM", "C:\\TEMP"));
    EXPECT_FALSE(IsSameOrInside("C:\\TEMP", ""));
    EXPECT_TRUE(IsSameOrInside("C:\\ANY", "C:\\"));
    EXPECT_FALSE(IsSameOrInside("D:\\ANY", "C:\\"));
}

TEST(JudgeAgainst, RefusesPlacesTheirAncestorsAndProtectedSubtrees)
{
    const std::vector<ProtectedPlace> places = {
        {"C:\\WINDOWS", false},
        {"C:\\WINDOWS\\SYSTEM", true},
        {"C:\\DOCUMENTS AND SETTINGS\\ANNA", false},
        {"", true}, // an unknown place protects nothing
    };
    const struct {
        const char* path;
        PathVerdict verdict;
    } cases[] = {
        {"C:\\WINDOWS", PathVerdict::Protected},
        {"C:\\WINDOWS\\SYSTEM", PathVerdict::Protected},
        {"C:\\WINDOWS\\SYSTEM\\IOSUBSYS", PathVerdict::InsideProtected},
        {"C:\\WINDOWS\\TEMP", PathVerdict::Accepted},
        {"C:\\WINDOWS\\SYSTEMX", PathVerdict::Accepted},
        {"C:\\DOCUMENTS AND SETTINGS", PathVerdict::HoldsProtected},
        {"C:\\DOCUMENTS AND SETTINGS\\ANNA\\LOCAL SETTINGS\\TEMP", PathVerdict::Accepted},
        {"C:\\DOCUMENTS AND SETTINGS\\BEN", PathVerdict::Accepted},
        {"D:\\WINDOWS", PathVerdict::Accepted},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JudgeAgainst(c.path, places), c.verdict) << c.path;
    }
}

TEST(IsDeviceName, CatchesDevicesWithAnyExtensionOrCase)
{
    for (const char* name : {"NUL", "nul", "Con", "PRN", "aux.txt", "COM1", "com9.log", "LPT3", "nul .txt", "CLOCK$"}) {
        EXPECT_TRUE(IsDeviceName(name)) << name;
    }
    for (const char* name : {"NULL", "COM", "COM0", "COM10", "LPT", "console", "auxiliary.txt", "my nul", ".nul", ""}) {
        EXPECT_FALSE(IsDeviceName(name)) << name;
    }
}

} // namespace
} // namespace klarvo::resident
