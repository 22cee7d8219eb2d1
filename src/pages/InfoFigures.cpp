#include "pages/InfoFigures.h"

#include "framework/Timer.h"
#include "link/Notifications.h"

namespace klarvo {

int TotalRamMBFrom(std::uint32_t totalPhysBytes)
{
    return static_cast<int>(totalPhysBytes >> 20) + 1;
}

MemoryFigures MemoryFiguresFrom(std::uint32_t totalPhysBytes, std::uint32_t availPhysBytes)
{
    MemoryFigures f;
    f.totalRamMB = TotalRamMBFrom(totalPhysBytes);
    f.freeMB = availPhysBytes >> 20;
    f.freePercent = static_cast<int>(f.freeMB) * 100 / f.totalRamMB;
    return f;
}

InfoFigureTexts InfoFigureTextsFor(const MemoryFigures& figures)
{
    InfoFigureTexts t;
    t.total = std::to_string(figures.totalRamMB) + " MB";
    t.free = std::to_string(figures.freeMB) + " MB";
    t.freePercent = std::to_string(figures.freePercent) + " %";
    t.totalBar = 100;
    t.freeBar = figures.freePercent;
    return t;
}

std::optional<EffectLabelText> EffectLabelFor(std::uint64_t wParam, std::int64_t lParam)
{
    const std::optional<ShellNotification> code = NotificationCode(wParam);
    if (!code) {
        return std::nullopt;
    }
    switch (*code) {
    case ntLastEffect:
        return EffectLabelText{"lbcleanlast", EffectText(lParam)};
    case ntTotalEffect:
        return EffectLabelText{"lbcleanall", EffectText(lParam)};
    case ntTimeSince:
        return EffectLabelText{"lbtime", ElapsedText(lParam)};
    default:
        return std::nullopt;
    }
}

void ComponentTimer::Restart()
{
    timer_.SetEnabled(false);
    timer_.SetEnabled(true);
}

void ComponentTimer::Stop()
{
    timer_.SetEnabled(false);
}

bool FastCleaningLock::Press()
{
    if (locked_) {
        return false;
    }
    locked_ = true;
    timer_.Restart();
    return true;
}

void FastCleaningLock::TimerFired()
{
    timer_.Stop();
    locked_ = false;
}

} // namespace klarvo
