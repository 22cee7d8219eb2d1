#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "settings/ConfFile.h"
#include "settings/SettingsError.h"
#include "support/TempDir.h"

using klarvo::ReadConf;
using klarvo::SettingsError;
using klarvo::WriteConf;
using klarvo::test::ReadBytes;
using klarvo::test::TempDir;
using klarvo::test::WriteBytes;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes Records(std::initializer_list<std::int32_t> values)
{
    Bytes bytes;
    for (std::int32_t value : values) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
        }
    }
    return bytes;
}

class ConfFileTest : public testing::Test {
protected:
    TempDir dir;
    std::string conf = dir.File("Conf.dat");
};

TEST_F(ConfFileTest, MissingFileReadsZeroAndFirstWriteZeroFills)
{
    EXPECT_EQ(ReadConf(conf, 0), 0);
    EXPECT_EQ(ReadConf(conf, 28), 0);
    EXPECT_FALSE(klarvo::test::FileExists(conf)) << "reading must not create the file";

    WriteConf(conf, 5, 7);
    EXPECT_EQ(ReadBytes(conf), Records({0, 0, 0, 0, 0, 7}));
}

TEST_F(ConfFileTest, WritingPastTheEndGrowsAndKeepsEarlierSlots)
{
    WriteBytes(conf, Records({11, 22, 33}));
    WriteConf(conf, 10, 1);
    EXPECT_EQ(ReadBytes(conf), Records({11, 22, 33, 0, 0, 0, 0, 0, 0, 0, 1}));
    for (int slot = 3; slot <= 9; ++slot) {
        EXPECT_EQ(ReadConf(conf, slot), 0) << slot;
    }
    EXPECT_EQ(ReadConf(conf, 10), 1);
    EXPECT_EQ(ReadConf(conf, 11), 0);
}

TEST_F(ConfFileTest, WritingInsideChangesOnlyThatRecord)
{
    WriteBytes(conf, Records({1, 2, 3, 4}));
    WriteConf(conf, 2, 300000);
    EXPECT_EQ(ReadBytes(conf), Records({1, 2, 300000, 4}));
}

TEST_F(ConfFileTest, TrailingPartialRecordIsNotCountedAndIsOverwritten)
{
    Bytes bytes = Records({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    bytes.push_back(0xAB); // 45 bytes: 11 whole records
    WriteBytes(conf, bytes);
    EXPECT_EQ(ReadConf(conf, 10), 11);
    EXPECT_EQ(ReadConf(conf, 11), 0);

    WriteConf(conf, 11, 9);
    EXPECT_EQ(ReadBytes(conf), Records({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 9}));
}

TEST_F(ConfFileTest, PartialRecordBeforeAFarSlotBecomesZero)
{
    WriteBytes(conf, Bytes{1, 2, 3, 4, 0xFF, 0xFF});
    WriteConf(conf, 3, 5);
    EXPECT_EQ(ReadBytes(conf), Records({0x04030201, 0, 0, 5}));
}

TEST_F(ConfFileTest, ValuesAreSignedLittleEndian)
{
    WriteConf(conf, 6, -1);
    WriteConf(conf, 1, 0x12345678);
    WriteConf(conf, 2, INT32_MIN);
    const Bytes bytes = ReadBytes(conf);
    EXPECT_EQ(Bytes(bytes.begin() + 24, bytes.begin() + 28), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(bytes.begin() + 4, bytes.begin() + 8), (Bytes{0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(ReadConf(conf, 6), -1);
    EXPECT_EQ(ReadConf(conf, 2), INT32_MIN);
}

TEST_F(ConfFileTest, NegativeOrHugeSlotsNeverTouchTheFile)
{
    WriteBytes(conf, Records({1, 2, 3}));
    EXPECT_EQ(ReadConf(conf, -1), 0);
    EXPECT_EQ(ReadConf(conf, INT32_MIN), 0);
    EXPECT_EQ(ReadConf(conf, INT32_MAX), 0);
    EXPECT_THROW(WriteConf(conf, -1, 5), SettingsError);
    EXPECT_THROW(WriteConf(conf, INT32_MAX, 5), SettingsError);
    EXPECT_EQ(ReadBytes(conf), Records({1, 2, 3}));
}

TEST_F(ConfFileTest, FileFarLargerThanTheTableStillReadsAndWrites)
{
    Bytes bytes(4 * 100000, 0);
    bytes[4 * 99999] = 42;
    WriteBytes(conf, bytes);
    EXPECT_EQ(ReadConf(conf, 99999), 42);
    WriteConf(conf, 28, 3);
    EXPECT_EQ(ReadConf(conf, 28), 3);
    EXPECT_EQ(ReadBytes(conf).size(), bytes.size());
}

TEST_F(ConfFileTest, ReadOnlyFileStillReadsItsValuesAndRefusesWrites)
{
    WriteBytes(conf, Records({0, 1, 15}));
    SetFileAttributesA(conf.c_str(), FILE_ATTRIBUTE_READONLY);
    // Root under Wine may write a read-only file. There another reader that
    // lets others only read keeps every writer out instead, as the
    // attribute does on Windows; the program meets the same refused open.
    HANDLE probe = CreateFileA(conf.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE reader = INVALID_HANDLE_VALUE;
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        reader = CreateFileA(conf.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    }
    EXPECT_EQ(ReadConf(conf, 2), 15);
    EXPECT_THROW(WriteConf(conf, 2, 20), SettingsError);
    EXPECT_EQ(ReadConf(conf, 2), 15);
    if (reader != INVALID_HANDLE_VALUE) {
        CloseHandle(reader);
    }
    SetFileAttributesA(conf.c_str(), FILE_ATTRIBUTE_NORMAL); // so that the directory can go
}

TEST_F(ConfFileTest, DirectoryNamedConfDatReadsZeroAndRefusesWrites)
{
    ASSERT_TRUE(CreateDirectoryA(conf.c_str(), nullptr));
    EXPECT_EQ(ReadConf(conf, 1), 0);
    EXPECT_THROW(WriteConf(conf, 1, 1), SettingsError);
}

TEST_F(ConfFileTest, FileLockedByAnotherProgramIsAnErrorNotZeros)
{
    WriteBytes(conf, Records({0, 1}));
    HANDLE lock = CreateFileA(conf.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_THROW(ReadConf(conf, 1), SettingsError);
    EXPECT_THROW(WriteConf(conf, 1, 0), SettingsError);
    CloseHandle(lock);
    EXPECT_EQ(ReadConf(conf, 1), 1);
}

TEST_F(ConfFileTest, FileAnotherProgramOnlyReadsStillReadsAndRefusesWrites)
{
    WriteBytes(conf, Records({0, 1, 15}));
    HANDLE reader = CreateFileA(conf.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadConf(conf, 2), 15);
    EXPECT_THROW(WriteConf(conf, 2, 20), SettingsError);
    CloseHandle(reader);
    EXPECT_EQ(ReadConf(conf, 2), 15);
}

TEST_F(ConfFileTest, NoHandleStaysOpenBetweenCalls)
{
    WriteConf(conf, 1, 1);
    // Another program may now open it without any sharing at all.
    HANDLE exclusive = CreateFileA(conf.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(exclusive, INVALID_HANDLE_VALUE);
    CloseHandle(exclusive);
}

TEST_F(ConfFileTest, AnotherOpenerSharingReadAndWriteDoesNotBlock)
{
    WriteConf(conf, 1, 1);
    HANDLE other = CreateFileA(conf.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    WriteConf(conf, 2, 5);
    EXPECT_EQ(ReadConf(conf, 2), 5);
    CloseHandle(other);
}

} // namespace
