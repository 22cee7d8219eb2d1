#pragma once

// The Info page's figures: total and free memory as texts and bar
// positions, the cleaning-effect labels filled from the resident cleaner's
// reports, and the lock that allows one Fast cleaning every three seconds.
// Plain code; the page's handlers put the results into the controls.

#include <cstdint>
#include <optional>
#include <string>

namespace klarvo {

class Timer;

// The texts and bar positions of the page's figures.
struct InfoFigureTexts {
    std::string total;       // lball: "65 MB"
    std::string free;        // lbfree: "30 MB"
    std::string freePercent; // lbfree2: "46 %"
    int totalBar = 100;      // pball is always full
    int freeBar = 0;         // pbfree
    friend bool operator==(const InfoFigureTexts&, const InfoFigureTexts&) = default;
};
// From the tick's figures: TotalRamMB, the free megabytes (available bytes
// >> 20) and the free percent (free * 100 div TotalRamMB).
InfoFigureTexts InfoFigureTextsFor(std::int32_t totalRamMB, std::int32_t freeMB, std::int32_t freePercent);

// A cleaning-effect label and its new text.
struct EffectLabelText {
    std::string label; // "lbcleanlast", "lbcleanall" or "lbtime"
    std::string text;
    friend bool operator==(const EffectLabelText&, const EffectLabelText&) = default;
};

// The label that a resident cleaner's report fills, or nothing for a report
// that is not about cleaning effects.
std::optional<EffectLabelText> EffectLabelFor(std::uint64_t wParam, std::int64_t lParam);

// A one-shot timer that a page's state machine restarts and stops: the
// window's timer component in the shell, a simulated clock in tests.
class RestartableTimer {
public:
    virtual ~RestartableTimer() = default;
    // Starts the full interval again from now, whether running or not.
    virtual void Restart() = 0;
    virtual void Stop() = 0;
};

// RestartableTimer over a timer component (disabling and enabling it
// restarts its interval).
class ComponentTimer : public RestartableTimer {
public:
    explicit ComponentTimer(Timer& timer) : timer_(timer) {}
    void Restart() override;
    void Stop() override;

private:
    Timer& timer_;
};

// The Fast cleaning button: a press locks it for the 3-second timer.
class FastCleaningLock {
public:
    static constexpr unsigned kLockMs = 3000;

    explicit FastCleaningLock(RestartableTimer& timer) : timer_(timer) {}

    // True when the press goes through: the button locks and the timer
    // starts; the caller then sends the fast cleaning and a status request.
    // A press on the locked button does nothing.
    bool Press();
    // The timer fired: the button unlocks and the timer stops.
    void TimerFired();
    bool ButtonEnabled() const { return !locked_; }

private:
    RestartableTimer& timer_;
    bool locked_ = false;
};

} // namespace klarvo
