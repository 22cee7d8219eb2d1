#include "resident/window/Commands.h"

#include <iterator>

#include "link/Messages.h"

namespace klarvo::resident {
namespace {

// clang-format off
constexpr CommandRow kRows[] = {
    // code             posted range                  menu item      arg label                ram    separator
    {trayFreeUp,        false, 0, 0,                  menuFreeUp1,   0,  nullptr,             true,  false},
    {trayFreeUp,        false, 0, 0,                  menuFreeUp2,   1,  nullptr,             true,  false},
    {trayFreeUp,        false, 0, 0,                  menuFreeUp3,   2,  nullptr,             true,  false},
    {cmdFastClean,      true,  0, 0,                  menuFast,      0,  "Fast cleaning",     true,  false},
    {trayOpenShell,     false, 0, 0,                  menuOpenShell, 0,  "Open Klarvo Shell", false, true},
    {trayPreviewDisk,   false, 0, 0,                  menuPreviewDisk, 0, "Preview disk cleaning...", false, false},
    {trayExit,          false, 0, 0,                  menuExit,      0,  "Exit",              false, true},
    {cmdReloadSettings, true,  0, 0,                  0,             0,  nullptr,             false, false},
    {cmdReportStatus,   true,  0, 0,                  0,             0,  nullptr,             false, false},
    {cmdFreeRam,        true,  1, kMaxFreeMegabytes,  0,             0,  nullptr,             false, false},
    {cmdClearHdd,       true,  hcTemp, hcHistory,     0,             0,  nullptr,             false, false},
};
// clang-format on

} // namespace

const CommandRow* CommandRowsBegin()
{
    return std::begin(kRows);
}

const CommandRow* CommandRowsEnd()
{
    return std::end(kRows);
}

std::optional<Command> DecodeCommand(std::uint64_t wParam, std::int64_t lParam)
{
    for (const CommandRow& row : kRows) {
        if (row.posted && wParam == static_cast<std::uint64_t>(row.code)) {
            return lParam < row.low || lParam > row.high
                       ? std::nullopt
                       : std::optional<Command>(Command{row.code, static_cast<std::int32_t>(lParam)});
        }
    }
    return std::nullopt;
}

std::optional<Command> DecodeMenuItem(unsigned menuId)
{
    for (const CommandRow& row : kRows) {
        if (row.menuId != 0 && row.menuId == menuId) {
            return Command{row.code, row.menuArgument};
        }
    }
    return std::nullopt;
}

} // namespace klarvo::resident
