#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "pages/OptionsRules.h"

namespace klarvo {
namespace {

// Every character a key can type, by what the hot-key edits make of it.
TEST(HotKeyFilter, LettersPassUpperCasedBackspaceAndReturnPassEverythingElseIsDropped)
{
    std::vector<std::pair<char, char>> cases = {{'\b', '\b'}, {'\r', '\r'}};
    for (char c = 'a'; c <= 'z'; ++c) {
        cases.push_back({c, static_cast<char>(c - 'a' + 'A')});
        cases.push_back({static_cast<char>(c - 'a' + 'A'), static_cast<char>(c - 'a' + 'A')});
    }
    for (char c : {' ', '\t', '\n', '\x1b', '\x7f', '\0', '@', '[', '`', '{', '_', '-', '.', ',', '!', '?', '~'}) {
        cases.push_back({c, 0});
    }
    for (char c = '0'; c <= '9'; ++c) {
        cases.push_back({c, 0});
    }
    // Letters of the code pages' upper half are no hot keys: the cleaner
    // registers Alt + A..Z only.
    for (int c = 0x80; c <= 0xFF; ++c) {
        cases.push_back({static_cast<char>(c), 0});
    }
    for (const auto& [typed, kept] : cases) {
        EXPECT_EQ(FilterHotKeyChar(typed), kept) << static_cast<int>(static_cast<unsigned char>(typed));
    }
}

TEST(DefaultSound, APresentFileIsChosenWithItsFullPathAMissingOneSwitchesTheSoundOff)
{
    std::vector<std::string> asked;
    const std::string sound = "C:\\Klarvo\\default.wav";
    const struct {
        const char* what;
        std::function<bool(const std::string&)> fileExists;
        std::optional<std::string> chosen;
    } cases[] = {
        {"present", [&](const std::string& path) { return asked.push_back(path), true; }, sound},
        {"missing", [&](const std::string& path) { return asked.push_back(path), false; }, std::nullopt},
        {"no way to look counts as missing", nullptr, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        asked.clear();
        const DefaultSoundChoice choice = DefaultSoundFor("C:\\Klarvo\\", c.fileExists);
        EXPECT_EQ(choice.enabled, c.chosen.has_value());
        EXPECT_EQ(choice.fileName, c.chosen) << "a missing file keeps the name in the edit";
        EXPECT_EQ(asked, c.fileExists ? std::vector<std::string>{sound} : std::vector<std::string>{});
    }
}

} // namespace
} // namespace klarvo
