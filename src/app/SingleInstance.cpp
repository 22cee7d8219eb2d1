#include "app/SingleInstance.h"

#include <windows.h>

#include "link/Messages.h"

namespace klarvo {

bool ClaimSingleInstance()
{
    // Deliberately never closed: the system drops it when the process ends.
    CreateMutexA(nullptr, TRUE, kShellMutexName);
    return GetLastError() == ERROR_SUCCESS;
}

void ForwardToRunningShell(std::int32_t page)
{
    HWND shell = FindWindowA(kShellWindowClass, nullptr);
    if (!shell) {
        return;
    }
    SetForegroundWindow(shell);
    PostMessageA(shell, WM_SHELLNOTIFY, ntShowPage, page);
}

} // namespace klarvo
