#include <gtest/gtest.h>

#include "framework/loader/Lz4.h"

#include <initializer_list>
#include <string>

namespace klarvo {
namespace {

// A legacy stream: magic number, then one block of the given bytes.
std::string Stream(const std::string& block)
{
    std::string s = "\x02\x21\x4c\x18";
    const auto n = static_cast<unsigned>(block.size());
    for (int i = 0; i < 4; ++i) {
        s += static_cast<char>((n >> (8 * i)) & 0xff);
    }
    return s + block;
}

// Bytes given one by one: a token, literals, an offset, a length.
std::string Bytes(std::initializer_list<unsigned char> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

TEST(Lz4, UnpacksLiteralsAndOverlappingMatches)
{
    std::string out;
    // "ab", then a match of six bytes from two back ("ababab"), then "!".
    ASSERT_TRUE(UnpackLz4(Stream(Bytes({0x22, 'a', 'b', 0x02, 0x00, 0x10, '!'})), out));
    EXPECT_EQ(out, "abababab!");
    // A literal run of 15 or more continues in further bytes.
    const std::string twenty(20, 'x');
    ASSERT_TRUE(UnpackLz4(Stream("\xf0\x05" + twenty), out));
    EXPECT_EQ(out, twenty);
    EXPECT_FALSE(IsLz4Packed("object fmshell: Tfmshell"));
}

TEST(Lz4, RefusesDamagedData)
{
    std::string out;
    const std::string damaged[] = {
        Stream(Bytes({0x22, 'a', 'b', 0x00, 0x00, 0x10, '!'})), // offset 0
        Stream(Bytes({0x22, 'a', 'b', 0x03, 0x00, 0x10, '!'})), // offset before the start
        Stream(Bytes({0x50, 'a', 'b'})),                        // literals beyond the block
        Stream(Bytes({0x22, 'a', 'b', 0x02})),                  // offset cut short
        Stream("\xf0\xff"),                                     // length continues past the end
        Stream("ab").substr(0, 6),                              // block length cut short
        std::string("\x02\x21\x4c\x18\xff\xff\xff\x7f", 8),     // block longer than the data
    };
    for (const std::string& data : damaged) {
        EXPECT_FALSE(UnpackLz4(data, out)) << testing::PrintToString(data);
    }
    // Within bounds, but more than the caller allows.
    EXPECT_FALSE(UnpackLz4(Stream(Bytes({0x1f, 'a', 0x01, 0x00, 0xff, 0xff, 0x10})), out, 100));
}

} // namespace
} // namespace klarvo
