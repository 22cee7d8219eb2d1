#include "support/ScreenProgram.h"

#include <windows.h>

#include <cstdio>
#include <exception>

namespace klarvo::test {

int RunScreenProgram(const char* name, int (*run)())
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    try {
        return run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", name, e.what());
        return 1;
    }
}

} // namespace klarvo::test
