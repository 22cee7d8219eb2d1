#include "resident/ResidentSettings.h"

#include <algorithm>

#include "settings/ConfStr.h"
#include "settings/SlotTable.h"

namespace klarvo::resident {
namespace {

std::int32_t InRange(std::int32_t value, std::int32_t low, std::int32_t high, std::int32_t fallback)
{
    return value >= low && value <= high ? value : fallback;
}

// The value the shell's first run writes; the amounts that depend on the
// machine are left for AmountOrDefault.
std::int32_t FirstRunValue(Slot slot)
{
    return FirstRunDefault(*FindSlot(slot), 0, false);
}

// A stored amount, or the first run's share of the machine's memory when
// the slot holds nothing usable.
std::int32_t AmountOrDefault(std::int32_t megabytes, Slot slot, std::int32_t totalRamMB)
{
    return megabytes > 0 ? megabytes : std::max(FirstRunDefault(*FindSlot(slot), totalRamMB, false), 1);
}

char HotKeyLetter(std::int32_t value)
{
    return value >= 'A' && value <= 'Z' ? static_cast<char>(value) : 0;
}

// TotalRamMB never exceeds 4096, so no amount above it means anything.
constexpr std::int32_t kMaxMegabytes = 4096;

} // namespace

ResidentSettings InterpretSettings(const SlotReader& readSlot, const std::vector<std::string>& lines)
{
    ResidentSettings s;
    s.autoClean = readSlot(slotAuto) == 1;
    s.minPercent = InRange(readSlot(slotMinProc), 5, 100, FirstRunValue(slotMinProc));
    s.freeMB = InRange(readSlot(slotFree), 1, kMaxMegabytes, 0);
    s.fastOnly = readSlot(slotFastOnly) == 1;
    s.everyMinutes = InRange(readSlot(slotEvery), 1, 60, FirstRunValue(slotEvery));
    s.maxTries = InRange(readSlot(slotMaxTry), 1, 5, FirstRunValue(slotMaxTry));
    s.popupMB[0] = InRange(readSlot(slotPopup1), 1, kMaxMegabytes, 0);
    s.popupMB[1] = InRange(readSlot(slotPopup2), 1, kMaxMegabytes, 0);
    s.popupMB[2] = InRange(readSlot(slotPopup3), 1, kMaxMegabytes, 0);
    // Stored inverted: 1 when "No running Klarvo Shell" is clear.
    s.openShellAtStart = readSlot(slotRunShell) == 1;
    s.trayShowsFree = readSlot(slotTrayMem) == 1;
    s.hotFast = HotKeyLetter(readSlot(slotHot1));
    s.playSound = readSlot(slotSound) == 1;
    s.clearTemp = readSlot(slotTemp) == 1;
    s.clearInternet = readSlot(slotInternet) == 1;
    s.clearCookies = readSlot(slotCookies) == 1;
    s.clearDir = readSlot(slotDir) == 1;
    s.dirWithSubdirs = readSlot(slotSubdir) == 1;
    s.clearAtStart = readSlot(slotClearSelect) == 1;
    s.clearHistory = readSlot(slotHistory) == 1;
    s.hotAutoOn = HotKeyLetter(readSlot(slotHot2));
    s.hotAutoOff = HotKeyLetter(readSlot(slotHot3));

    auto line = [&lines](int index) { return index < static_cast<int>(lines.size()) ? lines[index] : std::string(); };
    s.soundFile = line(lineSound);
    s.categoryPath[hcTemp] = line(lineTemp);
    s.categoryPath[hcInternet] = line(lineCache);
    s.categoryPath[hcCookies] = line(lineCookies);
    s.categoryPath[hcDir] = line(lineDir);
    s.categoryPath[hcHistory] = line(lineHistory);
    return s;
}

bool IsSelectedAtStart(const ResidentSettings& settings, HddCategory category)
{
    switch (category) {
    case hcTemp:
        return settings.clearTemp;
    case hcInternet:
        return settings.clearInternet;
    case hcCookies:
        return settings.clearCookies;
    case hcDir:
        return settings.clearDir;
    case hcHistory:
        return settings.clearHistory;
    }
    return false;
}

bool WithSubdirectories(const ResidentSettings& settings, HddCategory category)
{
    return category == hcDir ? settings.dirWithSubdirs : true;
}

bool AutoCleaningDue(const ResidentSettings& settings, std::uint64_t totalBytes, std::uint64_t availableBytes)
{
    if (!settings.autoClean || totalBytes == 0)
        return false;
    return availableBytes * 100 < totalBytes * static_cast<std::uint64_t>(settings.minPercent);
}

std::int32_t AutoCleaningMegabytes(const ResidentSettings& settings, std::int32_t totalRamMB)
{
    return AmountOrDefault(settings.freeMB, slotFree, totalRamMB);
}

std::int32_t PopupMegabytes(const ResidentSettings& settings, int index, std::int32_t totalRamMB)
{
    static constexpr Slot slots[3] = {slotPopup1, slotPopup2, slotPopup3};
    index = std::clamp(index, 0, 2);
    return AmountOrDefault(settings.popupMB[index], slots[index], totalRamMB);
}

} // namespace klarvo::resident
