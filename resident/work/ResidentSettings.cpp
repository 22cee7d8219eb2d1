#include "resident/work/ResidentSettings.h"

#include <algorithm>
#include <type_traits>

#include "settings/ConfStr.h"
#include "settings/SlotTable.h"

namespace klarvo::resident {
namespace {

// A stored amount, or the first run's share of the machine's memory when
// the slot holds nothing usable.
std::int32_t AmountOrDefault(std::int32_t megabytes, Slot slot, std::int32_t totalRamMB)
{
    return megabytes > 0 ? megabytes : std::max(FirstRunDefault(*FindSlot(slot), totalRamMB, false), 1);
}

// Where the cleaner keeps a slot's value, once the slot's row has brought
// it into its valid range: a flag is then 0 or 1, a hot key a letter or 0.
struct SlotField {
    Slot slot;
    void (*store)(ResidentSettings& settings, std::int32_t value);
};

template <auto Member> void Store(ResidentSettings& settings, std::int32_t value)
{
    using Field = std::remove_reference_t<decltype(settings.*Member)>;
    settings.*Member = static_cast<Field>(value);
}

template <int Index> void StorePopup(ResidentSettings& settings, std::int32_t value)
{
    settings.popupMB[Index] = value;
}

// The slots the cleaner acts on; the autorun value, the shell's RAM share and
// its background are the shell's alone.
constexpr SlotField kFields[] = {
    {slotAuto, Store<&ResidentSettings::autoClean>},
    {slotMinProc, Store<&ResidentSettings::minPercent>},
    {slotFree, Store<&ResidentSettings::freeMB>},
    {slotFastOnly, Store<&ResidentSettings::fastOnly>},
    {slotEvery, Store<&ResidentSettings::everyMinutes>},
    {slotMaxTry, Store<&ResidentSettings::maxTries>},
    {slotPopup1, StorePopup<0>},
    {slotPopup2, StorePopup<1>},
    {slotPopup3, StorePopup<2>},
    // Stored inverted: 1 when "No running Klarvo Shell" is clear.
    {slotRunShell, Store<&ResidentSettings::openShellAtStart>},
    {slotTrayMem, Store<&ResidentSettings::trayShowsFree>},
    {slotHot1, Store<&ResidentSettings::hotFast>},
    {slotSound, Store<&ResidentSettings::playSound>},
    {slotTemp, Store<&ResidentSettings::clearTemp>},
    {slotInternet, Store<&ResidentSettings::clearInternet>},
    {slotCookies, Store<&ResidentSettings::clearCookies>},
    {slotDir, Store<&ResidentSettings::clearDir>},
    {slotSubdir, Store<&ResidentSettings::dirWithSubdirs>},
    {slotClearSelect, Store<&ResidentSettings::clearAtStart>},
    {slotHistory, Store<&ResidentSettings::clearHistory>},
    {slotHot2, Store<&ResidentSettings::hotAutoOn>},
    {slotHot3, Store<&ResidentSettings::hotAutoOff>},
};

const SlotField* FieldOf(Slot slot)
{
    for (const SlotField& field : kFields) {
        if (field.slot == slot) {
            return &field;
        }
    }
    return nullptr;
}

// The line of ConfStr.dat of each disk category, by HddCategory.
constexpr ConfStrLine kCategoryLines[] = {lineTemp, lineCache, lineCookies, lineDir, lineHistory};

} // namespace

ResidentSettings InterpretSettings(const SlotReader& readSlot, const std::vector<std::string>& lines)
{
    ResidentSettings s;
    for (const SlotInfo& row : SlotTable()) {
        if (const SlotField* field = FieldOf(row.slot)) {
            field->store(s, ValidOrFallback(row, readSlot(row.slot)));
        }
    }

    auto line = [&lines](int index) { return index < static_cast<int>(lines.size()) ? lines[index] : std::string(); };
    s.soundFile = line(lineSound);
    for (int category = hcTemp; category <= hcHistory; ++category) {
        s.categoryPath[category] = line(kCategoryLines[category]);
    }
    return s;
}

std::vector<HddCategory> TickedCategories(const ResidentSettings& settings)
{
    std::vector<HddCategory> ticked;
    for (const HddCategory category : {hcTemp, hcInternet, hcCookies, hcDir, hcHistory}) {
        if (IsSelectedAtStart(settings, category)) {
            ticked.push_back(category);
        }
    }
    return ticked;
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
    if (!settings.autoClean || totalBytes == 0) {
        return false;
    }
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
