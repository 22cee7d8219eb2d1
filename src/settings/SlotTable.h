#pragma once

// The settings of Conf.dat as one table: which control edits each slot, how
// the control's value becomes the stored one, where its default comes from
// and which stored values the resident cleaner acts on. Apply, the loading
// of the settings, the "Default setting" buttons (and so the first run,
// which presses them all) and the resident cleaner all go by it: a new
// setting is one row.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace klarvo {

// Slots of Conf.dat that carry a setting of the suite. The resident cleaner
// reads every one of them and writes only slotAuto.
enum Slot : std::int32_t {
    slotAuto = 1,     // cbauto: auto RAM cleaning on
    slotMinProc = 2,  // ndminproc: clean below this percent of free RAM
    slotFree = 3,     // ndfree: MB "Fast & usual" tries to free (shown in percent)
    slotFastOnly = 4, // rbfast 1 / rbfull 0
    slotEvery = 5,    // ndevery: check interval in minutes
    slotMaxTry = 6,   // ndmaxtry: tries of one RAM cleaning
    slotPopup1 = 7,   // ndpopup1..3: "Free up" amounts of the popup menu, MB
    slotPopup2 = 8,
    slotPopup3 = 9,
    slotAutorun = 10,     // cbautorun: start the resident cleaner with Windows
    slotRunShell = 11,    // cbnorunshell, inverted: 1 when the box is clear
    slotTrayMem = 12,     // cbtraymem: free RAM in the tray
    slotHot1 = 13,        // cbhot1/edhot1: Alt+letter for a fast cleaning, 0 = none
    slotRamPercent = 15,  // sb1..sb10: share of RAM "Start !" frees
    slotSound = 16,       // cbsound: play the sound after freeing RAM
    slotTemp = 17,        // cbtemp: clean the Windows temporary directory
    slotInternet = 18,    // cbinternet
    slotCookies = 19,     // cbcookies
    slotDir = 20,         // cbdir: clean the chosen directory
    slotSubdir = 21,      // cbsubdir: with its subdirectories
    slotClearSelect = 22, // cbclearselect: clean when the resident cleaner starts
    slotWall = 23,        // cbwall: use the background picture file
    slotHistory = 26,     // cbhistory
    slotHot2 = 27,        // cbhot2/edhot2: Alt+letter that switches auto cleaning on
    slotHot3 = 28,        // cbhot3/edhot3: Alt+letter that switches it off
};

// How a slot's control holds the value, and so how the stored value
// follows from what the control shows. Each kind is one record of
// conversions here and one of control work in the shell.
enum class SlotKind {
    Flag,           // a check box or radio button: 1 ticked, 0 clear
    InvertedFlag,   // a check box stored the other way round: 1 when clear
    Position,       // an up-down's position, stored as it is
    RamShare,       // an up-down showing percent of total RAM, stored in MB
    HotKey,         // a check box and a one-letter edit: the letter's code when ticked
    PercentButtons, // the ten speed buttons' share of RAM in percent
};
constexpr std::size_t kSlotKindCount = 6;

// The "Default setting" button that puts a slot's default into its control.
enum class DefaultsButton {
    None, // keeps what the window was built with
    AutoRam,
    Ram,
    Hdd,
    Options,
};

// How a slot's default follows from the machine, as the control shows it.
enum class DefaultRule {
    Constant,         // value
    ShareOfRam,       // TotalRamMB * numerator div denominator
    DefaultWavExists, // 1 when ExeDir + "default.wav" exists, else 0
    SuggestedLetter,  // the box clear, the edit suggesting the letter `value`
};

// Stored values a reader of the file may act on, both ends included.
struct SlotRange {
    std::int32_t low;
    std::int32_t high;
};

struct SlotInfo {
    Slot slot;
    const char* control; // the control Apply reads
    // A radio button's partner, ticked for 0; a hot key's letter edit.
    const char* partner;
    SlotKind kind;
    DefaultsButton button;
    DefaultRule rule;
    std::int32_t value; // Constant: the value; ShareOfRam: numerator; SuggestedLetter: the letter
    std::int32_t denominator;
    // What the resident cleaner takes from the file: a stored value outside
    // `valid` (a file from an older version, a hand edit) counts as
    // `fallback`, so a stray 0 in the interval slot never makes it check
    // continuously. Flags are valid as 0 and 1, hot keys as 'A' to 'Z'.
    SlotRange valid;
    std::int32_t fallback;
};

// Every slot of the suite, each once, in the order Apply writes them: the
// hot keys come last.
std::span<const SlotInfo> SlotTable();

// The slot's entry; nullptr for a number that carries no setting.
const SlotInfo* FindSlot(std::int32_t slot);

// What decides the defaults that are not constant.
struct MachineFacts {
    std::int32_t totalRamMB = 1;
    bool defaultWavExists = false;
};

// The value the slot's "Default setting" button puts into its control (the
// control may then hold it within its range).
std::int32_t ShownDefault(const SlotInfo& info, const MachineFacts& machine);
// That value as stored: what a first run writes.
std::int32_t FirstRunDefault(const SlotInfo& info, std::int32_t totalRamMB, bool defaultWavExists);

// The stored value for what the control shows. Hot keys have their own pair
// below; a flag's value is 1 or 0.
std::int32_t StoredFromShown(const SlotInfo& info, std::int32_t shown, std::int32_t totalRamMB);
// And back, for loading.
std::int32_t ShownFromStored(const SlotInfo& info, std::int32_t stored, std::int32_t totalRamMB);

// The stored value as the resident cleaner acts on it: within the row's
// valid range, or its fallback.
std::int32_t ValidOrFallback(const SlotInfo& info, std::int32_t stored);

// The conversions on the way. Products are taken at 32 bits and wrap as the
// stored format's arithmetic does; no value from a file can make them
// undefined.

// a * b wrapped to signed 32 bits.
std::int32_t Mul32(std::int32_t a, std::int32_t b);

// Slot 3 holds the amount the "Fast & usual" method tries to free in MB,
// while its control shows percent: percent * TotalRamMB div 100 ...
std::int32_t FreeSlotFromPercent(std::int32_t percent, std::int32_t totalRamMB);
// ... and back, rounded to the nearest percent: (mb * 1000 div total + 5)
// div 10. A total that is no size reads as 0.
std::int32_t PercentFromFreeSlot(std::int32_t megabytes, std::int32_t totalRamMB);

// Slots 13, 27, 28: the character code of the edit's single letter when
// the box is ticked, 0 otherwise (also for an empty or longer text).
std::int32_t HotKeySlot(bool ticked, std::string_view text);
// The edit's text for a stored hot key: the character of the low byte, or
// nothing for 0.
std::string HotKeyText(std::int32_t slot);

} // namespace klarvo
