#pragma once

// PNG pictures of what tests and picture programs drew.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace klarvo::test {

// Writes an RGB PNG file for people to look at. `pixels` holds width x
// height values 0x00RRGGBB, rows top-down (the layout of a 32-bit DIB).
// Throws std::runtime_error when the file cannot be written.
void WritePng(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels);

// Copies a rectangle of a device context and writes it as a PNG file.
void SaveDcToPng(HDC dc, int x, int y, int width, int height, const std::string& path);

// Reads a rectangle of a device context as 0x00RRGGBB pixels, rows top-down.
std::vector<std::uint32_t> ReadDcPixels(HDC dc, int x, int y, int width, int height);

// Creates the directory and any missing parents.
void MakeDirectories(const std::string& path);

// The folder a picture program writes into, ending in a backslash and made
// if missing: the program's `out` argument, else `fallback` below the
// current folder.
std::string ScreensDir(const std::string& fallback);

} // namespace klarvo::test
