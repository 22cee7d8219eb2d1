#include "settings/SlotTable.h"

#include <array>

namespace klarvo {
namespace {

constexpr SlotInfo Fixed(Slot slot, const char* control, std::int32_t value)
{
    return {slot, control, DefaultRule::Constant, value, 1};
}

constexpr SlotInfo Share(Slot slot, const char* control, std::int32_t numerator, std::int32_t denominator)
{
    return {slot, control, DefaultRule::ShareOfRam, numerator, denominator};
}

// The hot-key slots default to "no hot key"; their edits still show the
// suggested letters Q, W and S (set by the Options page's defaults).
constexpr std::array kSlots{
    Fixed(slotAuto, "cbauto", 1),
    Fixed(slotMinProc, "ndminproc", 15),
    Share(slotFree, "ndfree", 30, 100),
    Fixed(slotFastOnly, "rbfast", 0),
    Fixed(slotEvery, "ndevery", 5),
    Fixed(slotMaxTry, "ndmaxtry", 2),
    Share(slotPopup1, "ndpopup1", 1, 4),
    Share(slotPopup2, "ndpopup2", 1, 2),
    Share(slotPopup3, "ndpopup3", 2, 3),
    Fixed(slotAutorun, "cbautorun", 1),
    Fixed(slotRunShell, "cbnorunshell", 0),
    Fixed(slotTrayMem, "cbtraymem", 1),
    Fixed(slotHot1, "cbhot1", 0),
    Fixed(slotRamPercent, "sb5", 50),
    SlotInfo{slotSound, "cbsound", DefaultRule::DefaultWavExists, 0, 1},
    Fixed(slotTemp, "cbtemp", 1),
    Fixed(slotInternet, "cbinternet", 1),
    Fixed(slotCookies, "cbcookies", 1),
    Fixed(slotDir, "cbdir", 0),
    Fixed(slotSubdir, "cbsubdir", 0),
    Fixed(slotClearSelect, "cbclearselect", 0),
    Fixed(slotWall, "cbwall", 0),
    Fixed(slotHistory, "cbhistory", 1),
    Fixed(slotHot2, "cbhot2", 0),
    Fixed(slotHot3, "cbhot3", 0),
};

} // namespace

std::span<const SlotInfo> SlotTable()
{
    return kSlots;
}

const SlotInfo* FindSlot(std::int32_t slot)
{
    for (const SlotInfo& info : kSlots)
        if (info.slot == slot)
            return &info;
    return nullptr;
}

std::int32_t FirstRunDefault(const SlotInfo& info, std::int32_t totalRamMB, bool defaultWavExists)
{
    switch (info.rule) {
    case DefaultRule::ShareOfRam:
        return totalRamMB * info.value / info.denominator;
    case DefaultRule::DefaultWavExists:
        return defaultWavExists ? 1 : 0;
    case DefaultRule::Constant:
        break;
    }
    return info.value;
}

} // namespace klarvo
