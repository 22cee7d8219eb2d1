#pragma once

#include <cstdint>
#include <span>

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

// How a slot's first-run default follows from the machine.
enum class DefaultRule {
    Constant,         // value
    ShareOfRam,       // TotalRamMB * numerator div denominator
    DefaultWavExists, // 1 when ExeDir + "default.wav" exists, else 0
};

struct SlotInfo {
    Slot slot;
    const char* control; // the control that edits it
    DefaultRule rule;
    std::int32_t value; // Constant: the value; ShareOfRam: numerator
    std::int32_t denominator;
};

// Every slot of the suite in slot order, each once.
std::span<const SlotInfo> SlotTable();

// The slot's entry; nullptr for a number that carries no setting.
const SlotInfo* FindSlot(std::int32_t slot);

// The value the "Default setting" buttons put in and a first run writes.
std::int32_t FirstRunDefault(const SlotInfo& info, std::int32_t totalRamMB, bool defaultWavExists);

} // namespace klarvo
