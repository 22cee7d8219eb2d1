#include "support/WindowsLine.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

struct Measured {
    std::string face;
    SIZE extent;
};

Measured Measure(const char* face, int pixelHeight, int weight, const char* text)
{
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontA(-pixelHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    HGDIOBJ old = SelectObject(screen, font);
    char name[LF_FACESIZE] = {};
    GetTextFaceA(screen, sizeof name, name);
    SIZE extent{};
    GetTextExtentPoint32A(screen, text, static_cast<int>(strlen(text)), &extent);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return {name, extent};
}

// The pages are laid out to the pixel in these faces; a prefix without the
// mapped metric twins would shift every caption.
TEST(TestPrefix, ShellFacesHaveTheirMetrics)
{
    const Measured times = Measure("Times New Roman", 16, FW_BOLD, "Auto RAM cleaning");
    EXPECT_EQ(times.face, "Times New Roman");
    EXPECT_NEAR(times.extent.cx, 137, 2);
    EXPECT_NEAR(times.extent.cy, 17, 1);

    const Measured arial = Measure("Arial", 16, FW_NORMAL, "Klarvo");
    EXPECT_EQ(arial.face, "Arial");
    EXPECT_GT(arial.extent.cx, 30);

    const Measured sans = Measure("MS Sans Serif", 11, FW_NORMAL, "Apply");
    EXPECT_EQ(sans.face, "MS Sans Serif");
    EXPECT_GT(sans.extent.cx, 15);
}

// Each run of the suite meets the Windows it asked for; a prefix made in
// another mode would quietly test the other line twice.
TEST(TestPrefix, ReportsTheWindowsOfItsMode)
{
    const std::string mode = klarvo::test::RequestedWineMode();
    if (mode.empty()) {
        GTEST_SKIP() << "started without KLARVO_WINE_MODE";
    }
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    if (mode == "win98") {
        EXPECT_EQ(version.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
        EXPECT_EQ(version.dwMajorVersion, 4u);
        EXPECT_EQ(version.dwMinorVersion, 10u);
    } else {
        EXPECT_EQ(version.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
        EXPECT_EQ(version.dwMajorVersion, 5u);
        EXPECT_EQ(version.dwMinorVersion, mode == "win64" ? 2u : 1u);
    }
}

TEST(TestPrefix, DisplayHasTrueColour)
{
    HDC screen = GetDC(nullptr);
    EXPECT_GE(GetDeviceCaps(screen, BITSPIXEL), 24);
    ReleaseDC(nullptr, screen);
}

} // namespace
