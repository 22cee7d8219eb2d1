// Times the main window's own work on the program's description: building
// the window (with and without a first run), Apply, the refresh tick and
// repainting a page over the tiled background. Run by hand under Wine.

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

class Memory128 final : public MemoryStatusSource {
public:
    MemoryStatusBytes Read() override { return {127u << 20, 40u << 20}; }
};

} // namespace

int main()
{
    test::ShellPlaces places("bench");
    test::TempDir& dir = places.exeDir;
    Memory128 memory;
    ShellOptions options;
    options.pageArgument = "1";
    options.memory = &memory;

    const double firstRun = test::MicrosecondsPer(10, [&] {
        DeleteFileA(dir.File("Conf.dat").c_str());
        Tfmshell shell(options);
    });
    const double start = test::MicrosecondsPer(20, [&] { Tfmshell shell(options); });
    Tfmshell shell(options);
    shell.StopRefreshTimer();
    shell.Show();
    Pump();
    const double apply = test::MicrosecondsPer(50, [&] { shell.nbapplyClick(nullptr); });
    const double tick = test::MicrosecondsPer(20000, [&] { shell.tmrefreshTimer(nullptr); });
    const double repaint = test::MicrosecondsPer(200, [&] { shell.Repaint(); });

    std::printf("window built, first run (defaults, Apply, load):  %8.0f us\n", firstRun);
    std::printf("window built, settings present:                  %8.0f us\n", start);
    std::printf("Apply (25 slots, 7 lines, registry, command):    %8.0f us\n", apply);
    std::printf("refresh tick (Info figures and picture, not shown): %6.2f us\n", tick);
    std::printf("repaint of the window on the Auto RAM page:      %8.0f us\n", repaint);
    return 0;
}
