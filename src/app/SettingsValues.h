#pragma once

// The arithmetic between the memory status, the controls and the stored
// slots, apart from any window. Products are taken at 32 bits and wrap as
// the stored format's arithmetic does; no value from a file can make them
// undefined.

#include <cstdint>
#include <string>
#include <string_view>

namespace klarvo {

// a * b wrapped to signed 32 bits.
std::int32_t Mul32(std::int32_t a, std::int32_t b);

// Total physical memory in MB: (bytes >> 20) + 1, so 1 to 4096.
std::int32_t TotalRamMBFromBytes(std::uint32_t totalBytes);
// Free memory in MB: bytes >> 20, no rounding up.
std::int32_t FreeMBFromBytes(std::uint32_t availableBytes);
// freeMB * 100 div totalRamMB, truncating; 0 for a total that is no size.
std::int32_t FreePercent(std::int32_t freeMB, std::int32_t totalRamMB);

// Slot 3 holds the amount the "Fast & usual" method tries to free in MB,
// while its control shows percent: percent * TotalRamMB div 100 ...
std::int32_t FreeSlotFromPercent(std::int32_t percent, std::int32_t totalRamMB);
// ... and back, rounded to the nearest percent: (mb * 1000 div total + 5)
// div 10. A total that is no size reads as 0.
std::int32_t PercentFromFreeSlot(std::int32_t megabytes, std::int32_t totalRamMB);

// Slots 13, 27, 28: the character code of the edit's single letter when
// the box is ticked, 0 otherwise (also for an empty or longer text).
std::int32_t HotKeySlot(bool ticked, std::string_view text);
// The edit's text for a stored hot key: the character of the low byte, or
// nothing for 0.
std::string HotKeyText(std::int32_t slot);

// Line 1 of ConfStr.dat from what the system gives as the temporary path
// (up to its first NUL) and the length it reported: the path without its
// last character (the trailing backslash). Empty when the call failed or
// the path did not fit the 127 characters asked for.
std::string TempDirLine(std::string_view path, std::uint32_t reportedLength);
constexpr std::uint32_t kTempPathRoom = 127;

} // namespace klarvo
