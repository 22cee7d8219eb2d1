#include "resident/Commands.h"

#include "link/Messages.h"

namespace klarvo::resident {

std::optional<Command> DecodeCommand(std::uint64_t wParam, std::int64_t lParam)
{
    auto accept = [&](std::int64_t low, std::int64_t high) -> std::optional<Command> {
        if (lParam < low || lParam > high)
            return std::nullopt;
        return Command{static_cast<int>(wParam), static_cast<std::int32_t>(lParam)};
    };
    switch (wParam) {
    case cmdReloadSettings:
    case cmdFastClean:
    case cmdReportStatus:
        return accept(0, 0);
    case cmdFreeRam:
        return accept(1, kMaxFreeMegabytes);
    case cmdClearHdd:
        return accept(hcTemp, hcHistory);
    default:
        return std::nullopt;
    }
}

} // namespace klarvo::resident
