// Times the refresh tick with the Info page shown: the figures, the history
// and the free-memory picture drawn off-screen and copied onto the screen.
// Run by hand under Wine; prints the time per tick and the share of one
// core that two ticks a second take.

#include <windows.h>

#include <cstdio>

#include "app/Shell.h"
#include "framework/window/Application.h"
#include "link/CleanerLink.h"
#include "settings/ExeDir.h"
#include "settings/System.h"
#include "support/ShellPlaces.h"
#include "support/Timing.h"
#include "support/Pump.h"

using namespace klarvo;
using test::Pump;

namespace {

// Free memory that wanders, so that the curve and its plateau labels vary.
class WanderingMemory final : public MemoryStatusSource {
public:
    explicit WanderingMemory(std::uint32_t totalMB) : totalMB_(totalMB) {}
    MemoryStatusBytes Read() override
    {
        ++reads_;
        const std::uint32_t freeMB = totalMB_ / 4 + (reads_ / 3 % 7) * (totalMB_ / 20);
        return {(totalMB_ - 1) << 20, freeMB << 20};
    }

private:
    std::uint32_t totalMB_;
    std::uint32_t reads_ = 0;
};

} // namespace

int main()
{
    test::ShellPlaces places("bench7");

    for (std::uint32_t total : {65u, 2048u}) {
        WanderingMemory memory(total);
        ShellOptions options;
        options.pageArgument = "0";
        options.memory = &memory;
        Tfmshell shell(options);
        shell.StopRefreshTimer();
        shell.Show();
        Pump();
        double best = 1e300;
        for (int round = 0; round < 5; ++round) {
            const double us = test::MicrosecondsPer(2000, [&] { shell.tmrefreshTimer(nullptr); });
            best = us < best ? us : best;
            Pump();
        }
        std::printf("TotalRamMB %4u: refresh tick on the Info page %8.1f us (best of 5 x 2000), "
                    "two a second: %.3f %% of one core\n",
                    total, best, best * 2 / 1e6 * 100);
    }
    return 0;
}
