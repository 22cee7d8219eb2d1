#include <gtest/gtest.h>

#include <windows.h>

#include "settings/ConfStr.h"
#include "settings/SettingsError.h"
#include "support/TempDir.h"

using klarvo::ReadConfStr;
using klarvo::WriteConfStr;
using klarvo::test::ReadText;
using klarvo::test::TempDir;
using klarvo::test::WriteText;
using Lines = std::vector<std::string>;

namespace {

class ConfStrTest : public testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("ConfStr.dat");
};

TEST_F(ConfStrTest, WritesSevenLinesWithCrLfIncludingTheLast)
{
    WriteConfStr(path, {"", "C:\\WINDOWS\\TEMP", "c", "d", "e", "f", "g"});
    EXPECT_EQ(ReadText(path), "\r\nC:\\WINDOWS\\TEMP\r\nc\r\nd\r\ne\r\nf\r\ng\r\n");
    EXPECT_EQ(ReadConfStr(path).size(), 7u);
}

TEST_F(ConfStrTest, RewritingTruncatesALongerFile)
{
    WriteText(path, std::string(5000, 'x'));
    WriteConfStr(path, Lines(7, "p"));
    EXPECT_EQ(ReadText(path), "p\r\np\r\np\r\np\r\np\r\np\r\np\r\n");
}

TEST_F(ConfStrTest, LineBreaksInsideAValueCannotShiftLaterLines)
{
    WriteConfStr(path, {"a\r\nb", "1", "2", "3", "4", "5", "6"});
    const Lines lines = ReadConfStr(path);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "ab");
    EXPECT_EQ(lines[6], "6");
}

TEST_F(ConfStrTest, MissingFileReadsAsTenEmptyLines)
{
    EXPECT_EQ(ReadConfStr(path), Lines(10));
}

TEST_F(ConfStrTest, ShortAndForeignFilesReadAsTheyStand)
{
    WriteText(path, "snd\nt\rc\r\nk");
    EXPECT_EQ(ReadConfStr(path), (Lines{"snd", "t", "c", "k"}));
}

TEST_F(ConfStrTest, FileHeldByAReaderReadsButCannotBeRewritten)
{
    WriteText(path, "a\r\n");
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadConfStr(path), Lines{"a"});
    EXPECT_THROW(WriteConfStr(path, Lines(7)), klarvo::SettingsError);
    CloseHandle(reader);
    EXPECT_EQ(ReadConfStr(path), Lines{"a"}) << "a failed save must leave the file as it was";
}

TEST_F(ConfStrTest, UnwritablePlaceIsAnError)
{
    EXPECT_THROW(WriteConfStr(dir.File("no such dir\\ConfStr.dat"), Lines(7)), klarvo::SettingsError);
}

} // namespace
