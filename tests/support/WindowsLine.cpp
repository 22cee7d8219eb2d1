#include "support/WindowsLine.h"

#include <windows.h>

namespace klarvo::test {

std::string RequestedWineMode()
{
    char mode[32] = {};
    const DWORD n = GetEnvironmentVariableA("KLARVO_WINE_MODE", mode, sizeof mode);
    return n > 0 && n < sizeof mode ? std::string(mode, n) : std::string();
}

} // namespace klarvo::test
