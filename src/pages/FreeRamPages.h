#pragma once

// Arithmetic and small state machines of the two RAM pages: the Auto RAM
// cleaning page (switch, threshold, method, amount) and the RAM cleaning
// page (share to free, popup amounts, progress of a manual cleaning). Plain
// code; the page handlers copy the results into the controls.

#include "pages/InfoFigures.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace klarvo {

// Megabytes that a percentage of the machine's memory stands for,
// truncated; the base of every megabyte figure on both pages.
int PercentOfTotalMB(int percent, int totalRamMB);

// The label right of a percentage edit: "%  (9 MB)", two blanks.
std::string PercentMBLabel(int percent, int totalRamMB);

// The RAM page's figure beside the percent buttons: " = 32 MB", with a
// leading blank.
std::string FreeUpLabel(int ramPercent, int totalRamMB);

// The share chosen by clicking percent button n (1-10); n = -1 (no button)
// keeps the current share.
int RamPercentAfterClick(int buttonNumber, int currentPercent);

// An up-down's range, step and value in the stored window layout.
struct UpDownRange {
    int min = 0;
    int max = 100;
    int increment = 1;
    bool wrap = false;
    int initial = 0;
};

inline constexpr UpDownRange kEveryRange{1, 60, 1, false, 5};         // udevery, minutes
inline constexpr UpDownRange kMinPercentRange{5, 100, 5, false, 15};  // udminproc
inline constexpr UpDownRange kFreePercentRange{5, 100, 5, false, 30}; // udfree
inline constexpr UpDownRange kMaxTryRange{1, 5, 1, false, 2};         // udmaxtry
// udpopup1-3 start at 1, 2 and 4 MB; their maximum is PopupMaximum.
inline constexpr int kPopupDesignMaximum = 2000;

// The popup up-downs' maximum: the design value until the RAM page is
// first shown, the machine's total from then on.
int PopupMaximum(bool ramPageShown, int totalRamMB);

// Enabled states of the Auto RAM page after its switch and method handlers
// have run: everything but the switch, the Default setting button, the
// frames and the background follows the switch; the amount to free
// (ndfree, udfree, lbfr) belongs to the "try free up" method only.
struct AutoPageEnabling {
    bool conditions = true; // labels, the two other edits and their arrows, both methods
    bool amount = true;     // ndfree, udfree, lbfr
    friend bool operator==(const AutoPageEnabling&, const AutoPageEnabling&) = default;
};
AutoPageEnabling AutoPageEnablingFor(bool autoTicked, bool fullSelected);

// Whether the switch handler sets this control of the Auto RAM page at all.
bool FollowsAutoSwitch(std::string_view name, bool isBevel);
// The amount controls that also follow the method.
bool IsAmountControl(std::string_view name);
// The enabled state a control of the Auto RAM page ends with.
bool AutoPageControlEnabled(std::string_view name, bool isBevel, bool autoTicked, bool fullSelected);

// The progress display of a manual cleaning: each report sets the bar,
// disables Start and restarts the 1.5-second timer, so Start returns only
// 1.5 s after the last report.
class RamProgressDisplay {
public:
    static constexpr unsigned kHideMs = 1500;
    static constexpr int kRamPageIndex = 2;

    explicit RamProgressDisplay(RestartableTimer& timer) : timer_(timer) {}

    void Report(std::int64_t percent);
    // The timer fired: Start enabled, bar 0, timer stopped. True when the
    // window should return to the Info page, which it does only from the
    // RAM page itself.
    bool TimerFired(int activePageIndex);

    bool StartEnabled() const { return startEnabled_; }
    int Bar() const { return bar_; }

private:
    RestartableTimer& timer_;
    bool startEnabled_ = true;
    int bar_ = 0;
};

} // namespace klarvo
