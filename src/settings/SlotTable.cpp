#include "settings/SlotTable.h"

#include "win/Memory.h"

#include <array>

namespace klarvo {
namespace {

using enum SlotKind;
using enum DefaultsButton;

constexpr SlotRange kFlagRange{0, 1};
// An amount in MB; 0, outside it, means "not set": the cleaner then takes
// the first run's share of the machine's memory.
constexpr SlotRange kAmountRange{1, kMaxTotalRamMB};
constexpr SlotRange kLetterRange{'A', 'Z'};

constexpr SlotInfo FlagRow(Slot slot, const char* control, DefaultsButton button, std::int32_t value,
                           SlotKind kind = Flag)
{
    return {slot, control, nullptr, kind, button, DefaultRule::Constant, value, 1, kFlagRange, 0};
}

// An up-down's position; out of its range the first-run default stands in.
constexpr SlotInfo PositionRow(Slot slot, const char* control, DefaultsButton button, std::int32_t value,
                               SlotRange range)
{
    return {slot, control, nullptr, SlotKind::Position, button, DefaultRule::Constant, value, 1, range, value};
}

constexpr SlotInfo Share(Slot slot, const char* control, DefaultsButton button, std::int32_t numerator,
                         std::int32_t denominator)
{
    return {slot,        control,      nullptr, SlotKind::Position, button, DefaultRule::ShareOfRam, numerator,
            denominator, kAmountRange, 0};
}

// A hot key starts switched off; its edit still suggests a letter.
constexpr SlotInfo Hot(Slot slot, const char* box, const char* edit, char letter)
{
    return {slot, box, edit, HotKey, Options, DefaultRule::SuggestedLetter, letter, 1, kLetterRange, 0};
}

constexpr std::array kSlots{
    FlagRow(slotAuto, "cbauto", AutoRam, 1),
    PositionRow(slotMinProc, "udminproc", AutoRam, 15, {5, 100}),
    SlotInfo{slotFree, "udfree", nullptr, RamShare, AutoRam, DefaultRule::Constant, 30, 1, kAmountRange, 0},
    // "Fast & usual; try free up" (rbfull) by default.
    SlotInfo{slotFastOnly, "rbfast", "rbfull", SlotKind::Flag, AutoRam, DefaultRule::Constant, 0, 1, kFlagRange, 0},
    PositionRow(slotEvery, "udevery", AutoRam, 5, {1, 60}),
    PositionRow(slotMaxTry, "udmaxtry", Ram, 2, {1, 5}),
    Share(slotPopup1, "udpopup1", Ram, 1, 4),
    Share(slotPopup2, "udpopup2", Ram, 1, 2),
    Share(slotPopup3, "udpopup3", Ram, 2, 3),
    FlagRow(slotAutorun, "cbautorun", Options, 1),
    // Ticked by default: the shell stays closed when the cleaner starts.
    FlagRow(slotRunShell, "cbnorunshell", Options, 1, InvertedFlag),
    FlagRow(slotTrayMem, "cbtraymem", Options, 1),
    SlotInfo{slotRamPercent, "sb1", nullptr, PercentButtons, Ram, DefaultRule::Constant, 50, 1, {1, 100}, 50},
    SlotInfo{slotSound, "cbsound", nullptr, SlotKind::Flag, Options, DefaultRule::DefaultWavExists, 0, 1, kFlagRange,
             0},
    FlagRow(slotTemp, "cbtemp", Hdd, 1),
    FlagRow(slotInternet, "cbinternet", Hdd, 1),
    FlagRow(slotCookies, "cbcookies", Hdd, 1),
    FlagRow(slotDir, "cbdir", Hdd, 0),
    FlagRow(slotSubdir, "cbsubdir", None, 0),
    FlagRow(slotClearSelect, "cbclearselect", Hdd, 0),
    FlagRow(slotWall, "cbwall", Options, 0),
    FlagRow(slotHistory, "cbhistory", Hdd, 1),
    Hot(slotHot1, "cbhot1", "edhot1", 'Q'),
    Hot(slotHot2, "cbhot2", "edhot2", 'W'),
    Hot(slotHot3, "cbhot3", "edhot3", 'S'),
};

// What a kind decides about the value on its way between control and file.
struct SlotKindRecord {
    std::int32_t (*storedFromShown)(std::int32_t shown, std::int32_t totalRamMB);
    std::int32_t (*shownFromStored)(std::int32_t stored, std::int32_t totalRamMB);
};

std::int32_t AsItIs(std::int32_t value, std::int32_t)
{
    return value;
}

// Ticked is exactly 1, whichever way round it is stored: "1 - shown" would
// overflow for the lowest value and store a flag that is neither 0 nor 1.
std::int32_t TickedIsOne(std::int32_t value, std::int32_t)
{
    return value == 1 ? 1 : 0;
}

std::int32_t TickedIsZero(std::int32_t value, std::int32_t)
{
    return value == 1 ? 0 : 1;
}

std::int32_t ZeroIsTicked(std::int32_t value, std::int32_t)
{
    return value == 0 ? 1 : 0;
}

// By SlotKind.
constexpr std::array<SlotKindRecord, kSlotKindCount> kKinds{{
    {AsItIs, TickedIsOne},                      // Flag
    {TickedIsZero, ZeroIsTicked},               // InvertedFlag
    {AsItIs, AsItIs},                           // Position
    {FreeSlotFromPercent, PercentFromFreeSlot}, // RamShare
    {AsItIs, AsItIs},                           // HotKey: HotKeySlot and HotKeyText
    {AsItIs, AsItIs},                           // PercentButtons
}};

const SlotKindRecord& KindOf(const SlotInfo& info)
{
    return kKinds[static_cast<std::size_t>(info.kind)];
}

using DefaultFunction = std::int32_t (*)(const SlotInfo& info, const MachineFacts& machine);

// By DefaultRule.
constexpr std::array<DefaultFunction, 4> kDefaults{
    [](const SlotInfo& info, const MachineFacts&) { return info.value; },
    [](const SlotInfo& info, const MachineFacts& machine) {
        return Mul32(machine.totalRamMB, info.value) / info.denominator;
    },
    [](const SlotInfo&, const MachineFacts& machine) { return machine.defaultWavExists ? 1 : 0; },
    // The box starts clear; the letter is for the edit only.
    [](const SlotInfo&, const MachineFacts&) { return 0; },
};

} // namespace

std::span<const SlotInfo> SlotTable()
{
    return kSlots;
}

const SlotInfo* FindSlot(std::int32_t slot)
{
    for (const SlotInfo& info : kSlots) {
        if (info.slot == slot) {
            return &info;
        }
    }
    return nullptr;
}

std::int32_t ShownDefault(const SlotInfo& info, const MachineFacts& machine)
{
    return kDefaults[static_cast<std::size_t>(info.rule)](info, machine);
}

std::int32_t FirstRunDefault(const SlotInfo& info, std::int32_t totalRamMB, bool defaultWavExists)
{
    return StoredFromShown(info, ShownDefault(info, {totalRamMB, defaultWavExists}), totalRamMB);
}

std::int32_t StoredFromShown(const SlotInfo& info, std::int32_t shown, std::int32_t totalRamMB)
{
    return KindOf(info).storedFromShown(shown, totalRamMB);
}

std::int32_t ShownFromStored(const SlotInfo& info, std::int32_t stored, std::int32_t totalRamMB)
{
    return KindOf(info).shownFromStored(stored, totalRamMB);
}

std::int32_t ValidOrFallback(const SlotInfo& info, std::int32_t stored)
{
    return stored >= info.valid.low && stored <= info.valid.high ? stored : info.fallback;
}

std::int32_t Mul32(std::int32_t a, std::int32_t b)
{
    // Through unsigned arithmetic, which wraps by definition.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

std::int32_t FreeSlotFromPercent(std::int32_t percent, std::int32_t totalRamMB)
{
    return Mul32(percent, totalRamMB) / 100;
}

std::int32_t PercentFromFreeSlot(std::int32_t megabytes, std::int32_t totalRamMB)
{
    if (totalRamMB == 0) {
        return 0;
    }
    const std::int32_t perMille = Mul32(megabytes, 1000);
    // INT32_MIN / -1 is the one quotient that does not fit.
    const std::int32_t quotient = totalRamMB == -1 ? Mul32(perMille, -1) : perMille / totalRamMB;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(quotient) + 5u) / 10;
}

std::int32_t HotKeySlot(bool ticked, std::string_view text)
{
    if (!ticked || text.size() != 1) {
        return 0;
    }
    return static_cast<unsigned char>(text[0]);
}

std::string HotKeyText(std::int32_t slot)
{
    if (slot == 0) {
        return {};
    }
    return std::string(1, static_cast<char>(slot & 0xFF));
}

} // namespace klarvo
