#pragma once

// The 32-bit colour value: an RGB colour keeps red, green and blue in the
// three low bytes and zero above; a system colour keeps 0x80 in the top byte
// and the platform's COLOR_ index in the low byte, and is resolved only when
// something is drawn with it (ColorToRGB).

#include <cstdint>

namespace klarvo {

using Color = std::uint32_t;

constexpr Color Rgb(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr Color SystemColor(int index)
{
    return 0x80000000u | (static_cast<Color>(index) & 0xFFu);
}
constexpr bool IsSystemColor(Color c)
{
    return (c & 0xFF000000u) == 0x80000000u;
}
constexpr unsigned RedOf(Color c)
{
    return c & 0xFFu;
}
constexpr unsigned GreenOf(Color c)
{
    return (c >> 8) & 0xFFu;
}
constexpr unsigned BlueOf(Color c)
{
    return (c >> 16) & 0xFFu;
}

// The plain RGB value (a COLORREF) of a colour; system colours are looked up
// in the platform's current scheme.
Color ColorToRGB(Color c);

constexpr Color clBlack = Rgb(0, 0, 0);
constexpr Color clMaroon = Rgb(128, 0, 0);
constexpr Color clGreen = Rgb(0, 128, 0);
constexpr Color clOlive = Rgb(128, 128, 0);
constexpr Color clNavy = Rgb(0, 0, 128);
constexpr Color clPurple = Rgb(128, 0, 128);
constexpr Color clTeal = Rgb(0, 128, 128);
constexpr Color clGray = Rgb(128, 128, 128);
constexpr Color clSilver = Rgb(192, 192, 192);
constexpr Color clRed = Rgb(255, 0, 0);
constexpr Color clLime = Rgb(0, 255, 0);
constexpr Color clYellow = Rgb(255, 255, 0);
constexpr Color clBlue = Rgb(0, 0, 255);
constexpr Color clFuchsia = Rgb(255, 0, 255);
constexpr Color clAqua = Rgb(0, 255, 255);
constexpr Color clWhite = Rgb(255, 255, 255);

// System colours by role (the numbers are the platform's COLOR_ indices).
constexpr Color clWindow = SystemColor(5);
constexpr Color clWindowText = SystemColor(8);
constexpr Color clBtnFace = SystemColor(15);
constexpr Color clBtnShadow = SystemColor(16);
constexpr Color clGrayText = SystemColor(17);
constexpr Color clBtnText = SystemColor(18);
constexpr Color clBtnHighlight = SystemColor(20);
constexpr Color cl3DDkShadow = SystemColor(21);
constexpr Color cl3DLight = SystemColor(22);
constexpr Color clInfoText = SystemColor(23);
constexpr Color clInfoBk = SystemColor(24);
constexpr Color clHighlight = SystemColor(13);
constexpr Color clHighlightText = SystemColor(14);

} // namespace klarvo
