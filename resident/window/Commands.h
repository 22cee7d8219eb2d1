#pragma once

// The commands the resident cleaner takes: its tray menu's items and the
// shell's WM_CLEANERCMD codes, decoded.

#include <cstdint>
#include <optional>

#include "win/Memory.h"

namespace klarvo::resident {

// Commands of the tray menu, as WM_COMMAND identifiers.
enum MenuId : unsigned {
    menuFreeUp1 = 101, // the three "Free up" amounts of slots 7 to 9
    menuFreeUp2 = 102,
    menuFreeUp3 = 103,
    menuFast = 104,
    menuOpenShell = 105,
    menuExit = 106,
    menuPreviewDisk = 107,
};

// What only the tray offers. The codes lie above every CleanerCommand, and
// no row that carries one is open to posted commands, so another program
// can neither end the cleaner nor start programs through it.
enum TrayOnlyCode : int {
    trayFreeUp = 1000, // argument: which of the three amounts
    trayOpenShell = 1001,
    trayExit = 1002,
    trayPreviewDisk = 1003,
};

// A command the cleaner carries out, from the tray or posted as
// WM_CLEANERCMD: its code (a CleanerCommand or a TrayOnlyCode) and its
// checked argument.
struct Command {
    int code;
    std::int32_t argument;
};

// Highest amount a "free up" may ask for: TotalRamMB never exceeds it.
constexpr std::int32_t kMaxFreeMegabytes = kMaxTotalRamMB;

// One row per thing the cleaner can be asked to do and per way of asking.
struct CommandRow {
    int code;
    bool posted;               // reachable as WM_CLEANERCMD
    std::int32_t low, high;    // a posted argument's range
    unsigned menuId;           // 0: not on the tray menu
    std::int32_t menuArgument; // what the menu item carries
    const char* label;         // nullptr: the item names its amount
    bool ramWork;              // greyed while a RAM cleaning runs
    bool separatorBefore;
};

// The rows, the menu's in the menu's order.
const CommandRow* CommandRowsBegin();
const CommandRow* CommandRowsEnd();

// The command, or nothing for an unknown code, a code posted commands may
// not reach, or an argument outside its range: commands without an
// argument want 0, cmdFreeRam 1 to kMaxFreeMegabytes megabytes, cmdClearHdd
// a category 0 to 4. Both words are taken whole, so a 64-bit lParam cannot
// smuggle a value past the check by its upper half.
std::optional<Command> DecodeCommand(std::uint64_t wParam, std::int64_t lParam);
// The command of a tray menu item, or nothing for an unknown identifier.
std::optional<Command> DecodeMenuItem(unsigned menuId);

} // namespace klarvo::resident
