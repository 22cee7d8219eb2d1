#include "pages/InfoFigures.h"

#include "link/Notifications.h"

namespace klarvo {

InfoFigureTexts InfoFigureTextsFor(std::int32_t totalRamMB, std::int32_t freeMB, std::int32_t freePercent)
{
    InfoFigureTexts t;
    t.total = std::to_string(totalRamMB) + " MB";
    t.free = std::to_string(freeMB) + " MB";
    t.freePercent = std::to_string(freePercent) + " %";
    t.totalBar = 100;
    t.freeBar = freePercent;
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
