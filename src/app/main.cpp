#include <windows.h>

#include <cstdlib>

#include "app/PageArgument.h"
#include "app/ShellWindow.h"
#include "app/SingleInstance.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    using namespace klarvo;
    const char* pageText = __argc > 1 ? __argv[1] : nullptr;
    if (!ClaimSingleInstance()) {
        ForwardToRunningShell(ParsePageArgument(pageText));
        return 0;
    }
    return RunShell(instance, showCommand);
}
