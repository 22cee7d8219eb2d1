#pragma once
// Which Windows the tests meet. `make test` runs the suite under Wine as
// Windows 98 and as Windows XP, and the unit tests as 64-bit programs.

#include <string>

namespace klarvo::test {

// The mode the test run asked Wine for (KLARVO_WINE_MODE: win98, winxp,
// win64), empty when a program is started by hand without it.
std::string RequestedWineMode();

} // namespace klarvo::test
