#pragma once
// Which Windows line the tests meet. `make test` runs the suite under Wine
// as Windows 98 and as Windows XP; a test that means something on one line
// only skips on the other and says why.

#include <gtest/gtest.h>

#include <string>

namespace klarvo::test {

// What the platform reports of itself (GetVersionExA).
bool OnNtLine();

// The mode the test run asked Wine for (KLARVO_WINE_MODE: win98, winxp,
// win64), empty when a program is started by hand without it.
std::string RequestedWineMode();

} // namespace klarvo::test

#define KLARVO_ONLY_ON_9X_LINE(why)                                                                                 \
    do {                                                                                                           \
        if (::klarvo::test::OnNtLine())                                                                            \
            GTEST_SKIP() << "only on the Windows 9x line: " << (why);                                              \
    } while (0)

#define KLARVO_ONLY_ON_NT_LINE(why)                                                                                 \
    do {                                                                                                           \
        if (!::klarvo::test::OnNtLine())                                                                           \
            GTEST_SKIP() << "only on the Windows NT line: " << (why);                                              \
    } while (0)
