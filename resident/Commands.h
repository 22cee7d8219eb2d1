#pragma once

#include <cstdint>
#include <optional>

#include "win/Memory.h"

namespace klarvo::resident {

// A WM_CLEANERCMD that the cleaner carries out: its code and argument as
// they arrived, both checked.
struct Command {
    int code; // a CleanerCommand
    std::int32_t argument;
};

// Highest amount a "free up" may ask for: TotalRamMB never exceeds it.
constexpr std::int32_t kMaxFreeMegabytes = kMaxTotalRamMB;

// The command, or nothing for an unknown code or an argument outside its
// range: commands without an argument want 0, cmdFreeRam 1 to
// kMaxFreeMegabytes megabytes, cmdClearHdd a category 0 to 4. Both words
// are taken whole, so a 64-bit lParam cannot smuggle a value past the check
// by its upper half.
std::optional<Command> DecodeCommand(std::uint64_t wParam, std::int64_t lParam);

} // namespace klarvo::resident
