#include <gtest/gtest.h>

#include "support/Png.h"
#include "support/TempDir.h"

namespace {

// The gallery is only worth its pictures: check the file a viewer reads.
TEST(Png, WritesAValidRgbFile)
{
    klarvo::test::TempDir dir;
    const std::string path = dir.File("a.png");
    klarvo::test::WritePng(path, 2, 1, {0x00FF0000, 0x000000FF});
    const auto bytes = klarvo::test::ReadBytes(path);
    ASSERT_GT(bytes.size(), 33u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 8),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    // IHDR: width 2, height 1, 8-bit RGB.
    EXPECT_EQ(bytes[19], 2);
    EXPECT_EQ(bytes[23], 1);
    EXPECT_EQ(bytes[24], 8);
    EXPECT_EQ(bytes[25], 2);
    EXPECT_THROW(klarvo::test::WritePng(path, 3, 1, {0}), std::runtime_error);
}

} // namespace
