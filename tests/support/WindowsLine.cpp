#include "support/WindowsLine.h"

#include <windows.h>

#include "support/Process.h"

namespace klarvo::test {

std::string RequestedWineMode()
{
    char mode[32] = {};
    const DWORD n = GetEnvironmentVariableA("KLARVO_WINE_MODE", mode, sizeof mode);
    return n > 0 && n < sizeof mode ? std::string(mode, n) : std::string();
}

void Windows9xPath::SetUp()
{
    const std::string line = TestArgument("line");
    if (line == "9x") {
        missing_ = std::make_unique<ScopedMissingFunctions>(lacking_);
    } else if (line == "nt4") {
        missing_ = std::make_unique<ScopedMissingFunctions>(kNt4Lacks);
    }
}

} // namespace klarvo::test
