#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/OptionsRules.h"

namespace klarvo {
namespace {

TEST(HotKeyFilter, EveryLetterPassesUpperCased)
{
    for (char c = 'a'; c <= 'z'; ++c) {
        EXPECT_EQ(FilterHotKeyChar(c), c - 'a' + 'A') << c;
    }
    for (char c = 'A'; c <= 'Z'; ++c) {
        EXPECT_EQ(FilterHotKeyChar(c), c) << c;
    }
}

TEST(HotKeyFilter, BackspaceAndReturnPassUnchanged)
{
    EXPECT_EQ(FilterHotKeyChar('\b'), '\b');
    EXPECT_EQ(FilterHotKeyChar('\r'), '\r');
}

TEST(HotKeyFilter, EverythingElseIsDropped)
{
    std::vector<char> dropped = {' ', '\t', '\n', 27, 127, 0, '@', '[', '`', '{', '_', '-', '.', ',', '!', '?', '~'};
    for (char c = '0'; c <= '9'; ++c) {
        dropped.push_back(c);
    }
    // Letters of the code pages' upper half are no hot keys: the cleaner
    // registers Alt + A..Z only.
    for (int c = 0x80; c <= 0xFF; ++c) {
        dropped.push_back(static_cast<char>(c));
    }
    for (char c : dropped) {
        EXPECT_EQ(FilterHotKeyChar(c), 0) << static_cast<int>(static_cast<unsigned char>(c));
    }
}

TEST(DefaultSound, PresentFileIsChosenWithItsFullPath)
{
    std::vector<std::string> asked;
    const DefaultSoundChoice choice = DefaultSoundFor("C:\\Klarvo\\", [&](const std::string& path) {
        asked.push_back(path);
        return true;
    });
    EXPECT_TRUE(choice.enabled);
    ASSERT_TRUE(choice.fileName.has_value());
    EXPECT_EQ(*choice.fileName, "C:\\Klarvo\\default.wav");
    EXPECT_EQ(asked, std::vector<std::string>{"C:\\Klarvo\\default.wav"});
}

TEST(DefaultSound, MissingFileSwitchesTheSoundOffAndKeepsTheName)
{
    const DefaultSoundChoice choice = DefaultSoundFor("C:\\Klarvo\\", [](const std::string&) { return false; });
    EXPECT_FALSE(choice.enabled);
    EXPECT_FALSE(choice.fileName.has_value());
}

TEST(DefaultSound, NoWayToLookCountsAsMissing)
{
    EXPECT_FALSE(DefaultSoundFor("C:\\", nullptr).enabled);
}

} // namespace
} // namespace klarvo
