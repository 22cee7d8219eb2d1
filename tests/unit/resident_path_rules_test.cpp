#include <gtest/gtest.h>

#include "resident/disk/PathRules.h"

namespace klarvo::resident {
namespace {

struct SpellingCase {
    const char* text;
    PathVerdict verdict;
    const char* normalised; // when accepted or a drive root
};

class Spelling : public testing::TestWithParam<SpellingCase> {};

TEST_P(Spelling, IsJudgedBeforeTheDiskIsAsked)
{
    const SpellingCase& c = GetParam();
    const NormalisedPath result = NormaliseDirectory(c.text);
    EXPECT_EQ(result.verdict, c.verdict) << c.text;
    if (c.normalised) {
        EXPECT_EQ(result.path, c.normalised) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Spelling,
    testing::Values(
        SpellingCase{"", PathVerdict::Empty, nullptr}, SpellingCase{"  \t", PathVerdict::Empty, nullptr},
        SpellingCase{"temp", PathVerdict::NotAbsolute, nullptr},
        SpellingCase{"\\temp", PathVerdict::NotAbsolute, nullptr},
        SpellingCase{"C:temp", PathVerdict::NotAbsolute, nullptr},
        SpellingCase{" C:\\temp", PathVerdict::NotAbsolute, nullptr},
        SpellingCase{"\\\\server\\share\\temp", PathVerdict::NotAbsolute, nullptr},
        SpellingCase{"\\\\?\\C:\\temp", PathVerdict::NotAbsolute, nullptr},
        SpellingCase{"\\\\.\\C:", PathVerdict::NotAbsolute, nullptr},
        SpellingCase{"1:\\temp", PathVerdict::NotAbsolute, nullptr},
        SpellingCase{"C:", PathVerdict::NotAbsolute, nullptr}, SpellingCase{"C:\\", PathVerdict::DriveRoot, "C:\\"},
        SpellingCase{"c:/", PathVerdict::DriveRoot, "c:\\"}, SpellingCase{"C:\\\\\\", PathVerdict::DriveRoot, "C:\\"},
        SpellingCase{"C:\\temp\\..", PathVerdict::DotComponent, nullptr},
        SpellingCase{"C:\\temp\\..\\windows", PathVerdict::DotComponent, nullptr},
        SpellingCase{"C:\\.\\temp", PathVerdict::DotComponent, nullptr},
        SpellingCase{"C:\\temp\\...", PathVerdict::DotComponent, nullptr},
        SpellingCase{"C:\\temp\\. .", PathVerdict::DotComponent, nullptr},
        SpellingCase{"C:\\windows.", PathVerdict::BadCharacters, nullptr},
        SpellingCase{"C:\\windows ", PathVerdict::BadCharacters, nullptr},
        SpellingCase{"C:\\temp\\*", PathVerdict::BadCharacters, nullptr},
        SpellingCase{"C:\\te?p", PathVerdict::BadCharacters, nullptr},
        SpellingCase{"C:\\temp:stream", PathVerdict::BadCharacters, nullptr},
        SpellingCase{"C:\\temp\\a|b", PathVerdict::BadCharacters, nullptr},
        SpellingCase{"C:\\temp\r", PathVerdict::BadCharacters, nullptr},
        SpellingCase{"C:\\temp", PathVerdict::Accepted, "C:\\temp"},
        SpellingCase{"C:\\temp\\", PathVerdict::Accepted, "C:\\temp"},
        SpellingCase{"C:/a//b\\\\c/", PathVerdict::Accepted, "C:\\a\\b\\c"},
        SpellingCase{"D:\\My Files\\.hidden", PathVerdict::Accepted, "D:\\My Files\\.hidden"},
        SpellingCase{"C:\\Temporary Internet Files", PathVerdict::Accepted, "C:\\Temporary Internet Files"}));

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
