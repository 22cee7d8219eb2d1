// The shell's built-in resources as the executable carries them: the help
// text, the title picture and the default background.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pages/HelpText.h"
#include "resources/AssetIds.h"
#include "win/Gdi.h"

using namespace klarvo;
using namespace klarvo::help;

namespace {

std::string_view Resource(const char* name, LPCSTR type)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC res = FindResourceA(module, name, type);
    if (!res) {
        return {};
    }
    HGLOBAL loaded = LoadResource(module, res);
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return data ? std::string_view(data, SizeofResource(module, res)) : std::string_view();
}

std::string_view HelpResource()
{
    return Resource(assets::kHelpText, RT_RCDATA);
}

std::vector<std::string> HelpLines()
{
    return SplitLines(HelpResource());
}

// The body lines of one topic, without their CR LF.
std::vector<std::string> Body(std::int32_t topic)
{
    return SplitLines(GetHelpTopicText(HelpLines(), topic));
}

TEST(HelpResource, HasTheFiveTitlesInOrder)
{
    EXPECT_EQ(GetHelpTitles(HelpLines()),
              (std::vector<std::string>{"What is Klarvo ?", "How Klarvo works", "How Klarvo works (end)",
                                        "Configure Klarvo", "Technical support"}));
}

TEST(HelpResource, EndsEveryLineWithCrLf)
{
    const std::string_view text = HelpResource();
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(text.ends_with("\r\n"));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "lone CR at " << i;
        } else if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "lone LF at " << i;
        }
    }
}

// Paragraphs begin with five blanks, list items with "   - ", and every "&"
// is doubled, because the labels take a single one as an accelerator mark.
TEST(HelpResource, KeepsTheReadersFormat)
{
    const std::vector<std::string> lines = HelpLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(IsTitleLine(lines.front()));
    for (const std::string& line : lines) {
        if (IsTitleLine(line) || line.empty()) {
            continue;
        }
        const bool paragraph = line.starts_with("     ") && line.size() > 5 && line[5] != ' ';
        const bool item = line.starts_with("   - ");
        EXPECT_TRUE(paragraph || item) << line;
    }
    for (const std::string& line : lines) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '&') {
                ASSERT_TRUE(i + 1 < line.size() && line[i + 1] == '&') << line;
                ++i;
            }
        }
    }
}

TEST(HelpResource, TopicsHaveTheirParagraphs)
{
    const std::size_t paragraphs[] = {2, 2, 1, 2, 1};
    for (std::int32_t topic = 0; topic < 5; ++topic) {
        std::size_t n = 0;
        for (const std::string& line : Body(topic)) {
            n += line.starts_with("     ") ? 1 : 0;
        }
        EXPECT_EQ(n, paragraphs[topic]) << "topic " << topic;
    }
}

TEST(HelpResource, ClickingTheFourthIndexLabelShowsConfiguration)
{
    const std::optional<std::int32_t> topic = TopicOfLabelName(IndexLabelName(3));
    ASSERT_EQ(topic, 3);
    EXPECT_EQ(GetHelpTitles(HelpLines())[*topic], "Configure Klarvo");
    const std::vector<std::string> body = Body(*topic);
    ASSERT_EQ(body.size(), 2u);
    EXPECT_TRUE(body[0].starts_with("     ")) << body[0];
    EXPECT_NE(body[0].find("\"Default Setting\""), std::string::npos) << body[0];
    EXPECT_EQ(body[1], "     Also, you may configure setting manually.");
}

// Every address the user is sent to lies under the reserved example domain,
// and the help names the same support address as the About page.
TEST(HelpResource, AddressesAreTheSuitesOwn)
{
    const std::string support = Body(4).at(0);
    EXPECT_NE(support.find(assets::kSupportMailAddress), std::string::npos) << support;
    EXPECT_NE(support.find("http://www.example.org/"), std::string::npos) << support;

    const std::string_view text = HelpResource();
    for (std::size_t at = text.find('@'); at != std::string_view::npos; at = text.find('@', at + 1)) {
        EXPECT_TRUE(text.substr(at).starts_with("@example.org")) << text.substr(at, 30);
    }
    for (std::size_t at = text.find("://"); at != std::string_view::npos; at = text.find("://", at + 1)) {
        EXPECT_TRUE(text.substr(at).starts_with("://www.example.org/")) << text.substr(at, 30);
    }

    EXPECT_TRUE(std::string_view(assets::kProductPageAddress).starts_with("http://www.example.org/"));
    EXPECT_TRUE(std::string_view(assets::kSupportMailAddress).ends_with("@example.org"));
}

// The topic text is shown in a fixed label without scrolling: a body that
// does not fit would lose its end. Measured in the label's own font.
TEST(HelpResource, EveryTopicFitsTheTextLabel)
{
    const FontHandle font(CreateFontA(-12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Times New Roman"));
    const MemoryDc dc;
    const Selection selected(dc.Get(), font.Get());
    for (std::int32_t topic = 0; topic < 5; ++topic) {
        const std::string text = GetHelpTopicText(HelpLines(), topic);
        RECT r{0, 0, 489, 0};
        DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK);
        EXPECT_LE(r.bottom, 205) << "topic " << topic;
    }
}

TEST(TitlePicture, Is517By15In24BitsAndLeavesTheCaptionButtonsNavy)
{
    const BitmapHandle bitmap(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), assets::kTitlePicture, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(bitmap);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectA(bitmap.Get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 517);
    EXPECT_EQ(dib.dsBm.bmHeight, 15);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);

    // Centred on the 523-pixel strip, the picture's columns from 476 on lie
    // under the minimise and close buttons; its outer rows and columns meet
    // the strip. All of these must be the strip's own navy (and the corner
    // pixel is what a transparent image takes as its see-through colour).
    const MemoryDc dc;
    const Selection selected(dc.Get(), bitmap.Get());
    const COLORREF navy = RGB(0, 0, 128);
    for (int y = 0; y < 15; ++y) {
        EXPECT_EQ(GetPixel(dc.Get(), 0, y), navy) << "left edge, row " << y;
        for (int x = 476; x < 517; ++x) {
            ASSERT_EQ(GetPixel(dc.Get(), x, y), navy) << x << ", " << y;
        }
    }
    for (int x = 0; x < 517; ++x) {
        ASSERT_EQ(GetPixel(dc.Get(), x, 14), navy) << "bottom row, column " << x;
    }
    EXPECT_NE(GetPixel(dc.Get(), 258, 7), navy) << "the middle carries the title";
}

struct JpegFrame {
    int width = 0, height = 0, components = 0;
};

// Reads the frame header of a JPEG file; nothing when there is none.
std::optional<JpegFrame> JpegFrameOf(std::string_view data)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(data[i]); };
    if (data.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8) {
        return std::nullopt;
    }
    std::size_t i = 2;
    while (i + 4 <= data.size() && byte(i) == 0xFF) {
        const unsigned marker = byte(i + 1);
        const std::size_t length = byte(i + 2) << 8 | byte(i + 3);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && i + 10 <= data.size()) {
            return JpegFrame{byte(i + 7) << 8 | byte(i + 8), byte(i + 5) << 8 | byte(i + 6), byte(i + 9)};
        }
        i += 2 + length;
    }
    return std::nullopt;
}

TEST(DefaultBackground, IsA128By128GreyscaleJpeg)
{
    const std::optional<JpegFrame> frame = JpegFrameOf(Resource(assets::kDefaultBackground, RT_RCDATA));
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->width, 128);
    EXPECT_EQ(frame->height, 128);
    EXPECT_EQ(frame->components, 1);
}

} // namespace
