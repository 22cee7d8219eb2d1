#pragma once

// Another program that finds both programs' windows and posts them whatever
// it likes: what it can see of them, and a flood of forged messages. Used by
// the hostile end-to-end tests and by the soak in tests/bench.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "link/Messages.h"
#include "link/Notifications.h"
#include "resident/window/Commands.h"
#include "resident/window/ResidentParts.h"
#include "settings/ConfFile.h"
#include "settings/ConfStr.h"
#include "settings/SlotTable.h"
#include "support/Desktop.h"
#include "support/ListeningShell.h"
#include "support/Process.h"
#include "support/Pump.h"
#include "support/Scoped.h"
#include "support/TempDir.h"
#include "support/Trees.h"
#include "suite_fixture.h"

namespace klarvo::test {

// The cleaner's private messages as another program would guess them (a
// range beyond the ones it uses), and its tray menu by its own constants,
// so that the flood keeps hitting them if they are renumbered.
constexpr UINT kCleanerPrivateFirst = WM_APP;
constexpr UINT kCleanerPrivateLast = WM_APP + 16;
using resident::kTrayCallback;
constexpr WPARAM kMenuFirst = resident::menuFreeUp1, kMenuOpenShell = resident::menuOpenShell,
                 kMenuExit = resident::menuExit;

// ---- the flood ---------------------------------------------------------------

struct Forged {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// `count` messages for one program, drawn from the messages either program
// registers with every code and the boundary arguments, timers with random
// ids, commands with the menu's ids and random ones, the private range, the
// end of a session (wParam 0; the real end is placed by the caller), hot
// keys and the taskbar's announcement. Memory cleanings ask only for what
// three suites side by side can give.
std::vector<Forged> Draw(std::mt19937& random, std::size_t count, UINT taskbarCreated);

// The bytes of a settings file with slot 1, which the cleaner may write, cleared.
std::vector<std::uint8_t> WithoutSlot1(std::vector<std::uint8_t> bytes);

// What a flood came to.
struct FloodFigures {
    std::size_t sent = 0;         // to each program
    DWORD milliseconds = 0;       // to post them all
    DWORD settleMilliseconds = 0; // then until both programs were idle
    std::size_t mostBoxes = 0;    // message boxes of both programs at once
    std::size_t cleanerEnds = 0;  // cleaners that ended and were started again
};

class Neighbours : public Suite {
protected:
    HWND UtilityOfShell() const
    {
        const std::vector<HWND> found = TopWindowsOf(shell->Id(), "KlarvoUtility");
        return found.empty() ? nullptr : found.front();
    }

    // Both programs running, every disk category pointing into the test's
    // own trees; `count` forged messages to each, checked every `batch`.
    // Afterwards: both alive and answering, the settings files as they were
    // but for slot 1, nothing outside the trees gone, never more than one
    // box, and as many windows as before.
    FloodFigures Flood(std::size_t count, std::size_t batch = 200);

    TempDir trees, outside;

private:
    // What the flood's steps share: the settings as set before it, and the
    // two programs' windows and counts of windows then.
    struct FloodScene {
        std::vector<std::string> lines;
        std::string kept;
        std::vector<std::uint8_t> confBefore;
        std::string confStrBefore;
        HWND window = nullptr, cleaner = nullptr, utility = nullptr;
        std::size_t shellWindows = 0, cleanerWindows = 0;
    };
    void PointCategoriesAtTrees(FloodScene& scene);
    bool StartFloodPrograms(FloodScene& scene);
    // Counts what it sent and how long posting took.
    bool PostFlood(FloodScene& scene, std::size_t count, std::size_t batch, FloodFigures& figures);
    // After each batch: the shell answers and a cleaner answers, perhaps a new one.
    bool BothStillAnswer(FloodScene& scene, std::size_t sent, FloodFigures& figures);
    void WaitUntilFloodHandled(FloodScene& scene, std::size_t count);
    void ExpectNothingHarmed(const FloodScene& scene);
    void ExpectCleanerStillServes(const FloodScene& scene);
};

} // namespace klarvo::test
