#pragma once

// The cleaner's WM_SHELLNOTIFY values decoded into what the shell shows.

#include <cstdint>
#include <optional>
#include <string>

#include "link/Messages.h"

namespace klarvo {

// Decoding of WM_SHELLNOTIFY values into what the shell shows. Plain
// functions, so that every odd value can be checked without a window.
//
// Width: lParam is 32 bits on the 32-bit build and 64 bits on the 64-bit
// one. Every value of the contract fits in 32 bits, but the functions take
// the whole lParam and never cut it to 32 bits: a cut would turn an absurd
// value into a plausible one (0x100000000 KB into "0 MB (0 KB)", page
// 0x100000002 into page 2). Beyond 32 bits a value is shown as the number it
// is, and only -1 itself means "not known".

// The text shown for "not known".
inline constexpr char kUnknownText[] = "? ? ?";

// Index of the last page (About); ntShowPage caps at it.
constexpr int kLastPageIndex = 6;

// The notification a wParam carries; nothing for a code the shell does not
// handle (including codes that only match in their low 32 bits).
std::optional<ShellNotification> NotificationCode(std::uint64_t wParam);

// ntLastEffect / ntTotalEffect: "5 MB (5120 KB)". The megabytes truncate
// toward zero, so a negative figure other than -1 gives "-2 MB (-2048 KB)"
// and "0 MB (-1000 KB)".
std::string EffectText(std::int64_t kilobytes);

// ntTimeSince: "1:02:05  ago" (two blanks), hours unbounded. Any negative
// count is "not known": -1 is the contract's marker, and other negatives
// have no time to show.
std::string ElapsedText(std::int64_t seconds);

// ntShowPage: the page to show, capped at the last page; nothing for a
// negative value, which is ignored entirely.
std::optional<int> ShowPageTarget(std::int64_t page);

// ntRamProgress: the progress bar's position, held to 0-100 so that a stray
// value cannot push the bar outside its range.
int ProgressPosition(std::int64_t percent);

} // namespace klarvo
