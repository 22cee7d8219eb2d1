#include <windows.h>

#include <cstdlib>

#include "app/PageArgument.h"
#include "app/Shell.h"
#include "app/SingleInstance.h"
#include "controls/CoolHint.h"
#include "framework/window/Application.h"

namespace {

// Application title on the task bar until the main window sets its own.
constexpr char kStartTitle[] = "Klarvo Shell";

// The hint window class is the program's for its whole run and the earlier
// one is put back however the program ends.
struct CoolHintForTheRun {
    CoolHintForTheRun() { klarvo::InstallCoolHint(); }
    ~CoolHintForTheRun() { klarvo::UninstallCoolHint(); }
    CoolHintForTheRun(const CoolHintForTheRun&) = delete;
    CoolHintForTheRun& operator=(const CoolHintForTheRun&) = delete;
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    using namespace klarvo;
    const CoolHintForTheRun coolHint;
    const char* pageText = __argc > 1 ? __argv[1] : nullptr;
    if (!ClaimSingleInstance()) {
        ForwardToRunningShell(ParsePageArgument(pageText));
        return 0;
    }
    App().SetTitle(kStartTitle);
    std::unique_ptr<Tfmshell> shell;
    try {
        shell = std::make_unique<Tfmshell>();
    } catch (const std::exception& e) {
        // Only a damaged description gets here: there is no window to run.
        App().HandleException(e);
        return 1;
    }
    App().Run();
    return 0;
}
