#include "support/WindowsLine.h"

#include <windows.h>

namespace klarvo::test {

bool OnNtLine()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::string RequestedWineMode()
{
    char mode[32] = {};
    const DWORD n = GetEnvironmentVariableA("KLARVO_WINE_MODE", mode, sizeof mode);
    return n > 0 && n < sizeof mode ? std::string(mode, n) : std::string();
}

} // namespace klarvo::test
