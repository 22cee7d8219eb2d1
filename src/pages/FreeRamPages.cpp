#include "pages/FreeRamPages.h"

#include "link/Notifications.h"

namespace klarvo {

int PercentOfTotalMB(int percent, int totalRamMB)
{
    // The product wraps at 32 bits, as the stored figures do; only a damaged
    // settings file brings a share that large.
    const auto product = static_cast<std::int32_t>(static_cast<std::int64_t>(percent) * totalRamMB);
    return product / 100;
}

std::string PercentMBLabel(int percent, int totalRamMB)
{
    return "%  (" + std::to_string(PercentOfTotalMB(percent, totalRamMB)) + " MB)";
}

std::string FreeUpLabel(int ramPercent, int totalRamMB)
{
    return " = " + std::to_string(PercentOfTotalMB(ramPercent, totalRamMB)) + " MB";
}

int RamPercentAfterClick(int buttonNumber, int currentPercent)
{
    return buttonNumber == -1 ? currentPercent : buttonNumber * 10;
}

int PopupMaximum(bool ramPageShown, int totalRamMB)
{
    return ramPageShown ? totalRamMB : kPopupDesignMaximum;
}

AutoPageEnabling AutoPageEnablingFor(bool autoTicked, bool fullSelected)
{
    return AutoPageEnabling{autoTicked, autoTicked && fullSelected};
}

bool FollowsAutoSwitch(std::string_view name, bool isBevel)
{
    return !isBevel && name != "nbdeffastram" && name != "cbauto" && name != "pb2";
}

bool IsAmountControl(std::string_view name)
{
    return name == "ndfree" || name == "udfree" || name == "lbfr";
}

bool AutoPageControlEnabled(std::string_view name, bool isBevel, bool autoTicked, bool fullSelected)
{
    if (!FollowsAutoSwitch(name, isBevel)) {
        return true;
    }
    const AutoPageEnabling e = AutoPageEnablingFor(autoTicked, fullSelected);
    return IsAmountControl(name) ? e.amount : e.conditions;
}

void RamProgressDisplay::Report(std::int64_t percent)
{
    bar_ = ProgressPosition(percent);
    startEnabled_ = false;
    timer_.Restart();
}

bool RamProgressDisplay::TimerFired(int activePageIndex)
{
    startEnabled_ = true;
    bar_ = 0;
    timer_.Stop();
    return activePageIndex == kRamPageIndex;
}

} // namespace klarvo
