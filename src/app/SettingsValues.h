#pragma once

// The shell's arithmetic apart from any window: the memory figures (with
// win/Memory.h) and the lines of ConfStr.dat the system gives. The slots'
// own conversions are with the slot table.

#include "settings/SlotTable.h"
#include "win/Memory.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace klarvo {

// freeMB * 100 div totalRamMB, truncating; 0 for a total that is no size.
std::int32_t FreePercent(std::int32_t freeMB, std::int32_t totalRamMB);

// Line 1 of ConfStr.dat from what the system gives as the temporary path
// (up to its first NUL) and the length it reported: the path without its
// last character (the trailing backslash). Empty when the call failed or
// the path did not fit the 127 characters asked for.
std::string TempDirLine(std::string_view path, std::uint32_t reportedLength);
constexpr std::uint32_t kTempPathRoom = 127;

// Line 1 as this system gives it now; empty when neither TMP nor TEMP is
// set, since Windows 9x then gives the current directory, which the
// resident cleaner would empty as if it held only temporary files.
std::string SystemTempDirLine();

} // namespace klarvo
