#include "settings/SlotTable.h"

#include <array>

namespace klarvo {
namespace {

using enum SlotKind;
using enum DefaultsButton;

constexpr SlotInfo Row(Slot slot, const char* control, SlotKind kind, DefaultsButton button, std::int32_t value)
{
    return {slot, control, nullptr, kind, button, DefaultRule::Constant, value, 1};
}

constexpr SlotInfo Share(Slot slot, const char* control, DefaultsButton button, std::int32_t numerator,
                         std::int32_t denominator)
{
    return {slot, control, nullptr, Position, button, DefaultRule::ShareOfRam, numerator, denominator};
}

// A hot key starts switched off; its edit still suggests a letter.
constexpr SlotInfo Hot(Slot slot, const char* box, const char* edit, char letter)
{
    return {slot, box, edit, HotKey, Options, DefaultRule::SuggestedLetter, letter, 1};
}

constexpr std::array kSlots{
    Row(slotAuto, "cbauto", Flag, AutoRam, 1),
    Row(slotMinProc, "udminproc", Position, AutoRam, 15),
    Row(slotFree, "udfree", RamShare, AutoRam, 30),
    // "Fast & usual; try free up" (rbfull) by default.
    SlotInfo{slotFastOnly, "rbfast", "rbfull", Flag, AutoRam, DefaultRule::Constant, 0, 1},
    Row(slotEvery, "udevery", Position, AutoRam, 5),
    Row(slotMaxTry, "udmaxtry", Position, Ram, 2),
    Share(slotPopup1, "udpopup1", Ram, 1, 4),
    Share(slotPopup2, "udpopup2", Ram, 1, 2),
    Share(slotPopup3, "udpopup3", Ram, 2, 3),
    Row(slotAutorun, "cbautorun", Flag, Options, 1),
    // Ticked by default: the shell stays closed when the cleaner starts.
    Row(slotRunShell, "cbnorunshell", InvertedFlag, Options, 1),
    Row(slotTrayMem, "cbtraymem", Flag, Options, 1),
    Row(slotRamPercent, "sb1", PercentButtons, Ram, 50),
    SlotInfo{slotSound, "cbsound", nullptr, Flag, Options, DefaultRule::DefaultWavExists, 0, 1},
    Row(slotTemp, "cbtemp", Flag, Hdd, 1),
    Row(slotInternet, "cbinternet", Flag, Hdd, 1),
    Row(slotCookies, "cbcookies", Flag, Hdd, 1),
    Row(slotDir, "cbdir", Flag, Hdd, 0),
    Row(slotSubdir, "cbsubdir", Flag, None, 0),
    Row(slotClearSelect, "cbclearselect", Flag, Hdd, 0),
    Row(slotWall, "cbwall", Flag, Options, 0),
    Row(slotHistory, "cbhistory", Flag, Hdd, 1),
    Hot(slotHot1, "cbhot1", "edhot1", 'Q'),
    Hot(slotHot2, "cbhot2", "edhot2", 'W'),
    Hot(slotHot3, "cbhot3", "edhot3", 'S'),
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

std::int32_t ShownDefault(const SlotInfo& info, const MachineFacts& machine)
{
    switch (info.rule) {
    case DefaultRule::ShareOfRam:
        return Mul32(machine.totalRamMB, info.value) / info.denominator;
    case DefaultRule::DefaultWavExists:
        return machine.defaultWavExists ? 1 : 0;
    case DefaultRule::SuggestedLetter:
        return 0;
    case DefaultRule::Constant:
        break;
    }
    return info.value;
}

std::int32_t FirstRunDefault(const SlotInfo& info, std::int32_t totalRamMB, bool defaultWavExists)
{
    return StoredFromShown(info, ShownDefault(info, {totalRamMB, defaultWavExists}), totalRamMB);
}

std::int32_t StoredFromShown(const SlotInfo& info, std::int32_t shown, std::int32_t totalRamMB)
{
    switch (info.kind) {
    case InvertedFlag:
        // Ticked is exactly 1, as on loading; "1 - shown" would overflow
        // for the lowest value and store a flag that is neither 0 nor 1.
        return shown == 1 ? 0 : 1;
    case RamShare:
        return FreeSlotFromPercent(shown, totalRamMB);
    case Flag:
    case Position:
    case HotKey:
    case PercentButtons:
        break;
    }
    return shown;
}

std::int32_t ShownFromStored(const SlotInfo& info, std::int32_t stored, std::int32_t totalRamMB)
{
    switch (info.kind) {
    case Flag:
        return stored == 1 ? 1 : 0;
    case InvertedFlag:
        return stored == 0 ? 1 : 0;
    case RamShare:
        return PercentFromFreeSlot(stored, totalRamMB);
    case Position:
    case HotKey:
    case PercentButtons:
        break;
    }
    return stored;
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
