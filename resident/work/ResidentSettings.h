#pragma once

// The settings as the cleaner reads them from Conf.dat and ConfStr.dat.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/Messages.h"

namespace klarvo::resident {

// Everything the cleaner takes from Conf.dat and ConfStr.dat, each slot
// brought into the valid range of its row of the slot table: a value
// outside it counts as the row's fallback.
struct ResidentSettings {
    bool autoClean = true;               // slot 1
    std::int32_t minPercent = 15;        // slot 2: clean below this share of free RAM
    std::int32_t freeMB = 0;             // slot 3: 0 = not set, use 30 % of RAM
    bool fastOnly = false;               // slot 4
    std::int32_t everyMinutes = 5;       // slot 5
    std::int32_t maxTries = 2;           // slot 6
    std::int32_t popupMB[3] = {0, 0, 0}; // slots 7-9: 0 = not set
    bool openShellAtStart = false;       // slot 11
    bool trayShowsFree = true;           // slot 12
    char hotFast = 0;                    // slot 13: 'A'-'Z' or 0
    bool playSound = false;              // slot 16
    bool clearTemp = true;               // slot 17
    bool clearInternet = true;           // slot 18
    bool clearCookies = true;            // slot 19
    bool clearDir = false;               // slot 20
    bool dirWithSubdirs = false;         // slot 21
    bool clearAtStart = false;           // slot 22
    bool clearHistory = true;            // slot 26
    char hotAutoOn = 0;                  // slot 27
    char hotAutoOff = 0;                 // slot 28

    std::string soundFile;       // line 0
    std::string categoryPath[5]; // by HddCategory: lines 1, 2, 3, 4, 6
};

// Reads one slot; the real one is ReadConf on the program's Conf.dat.
using SlotReader = std::function<std::int32_t(std::int32_t slot)>;

// Builds the settings from slot values and ConfStr.dat lines (missing lines
// read as empty).
ResidentSettings InterpretSettings(const SlotReader& readSlot, const std::vector<std::string>& lines);

// Reads both files in `dir` (with trailing backslash). Raises SettingsError
// when a file exists but cannot be read.
ResidentSettings LoadSettings(const std::string& dir);

// Whether a category is on for the cleaning at start.
bool IsSelectedAtStart(const ResidentSettings& settings, HddCategory category);
// The categories that are on, in the order every cleaning takes them.
std::vector<HddCategory> TickedCategories(const ResidentSettings& settings);

// Subdirectories are cleared for every category but the chosen directory,
// where slot 21 decides: temporary and browser folders are trees by nature.
bool WithSubdirectories(const ResidentSettings& settings, HddCategory category);

// Automatic cleaning is due when it is on and free memory is below the
// share of slot 2.
bool AutoCleaningDue(const ResidentSettings& settings, std::uint64_t totalBytes, std::uint64_t availableBytes);

// Amounts in megabytes, with the first-run defaults' shares of total memory
// standing in for slots that hold nothing usable: 30 % for slot 3, a
// quarter, a half and two thirds for the menu's slots 7 to 9.
std::int32_t AutoCleaningMegabytes(const ResidentSettings& settings, std::int32_t totalRamMB);
std::int32_t PopupMegabytes(const ResidentSettings& settings, int index, std::int32_t totalRamMB);

} // namespace klarvo::resident
