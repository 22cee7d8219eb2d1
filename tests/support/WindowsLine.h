#pragma once
// Which Windows the tests meet. `make test` runs the suite under Wine as
// Windows 98 and as Windows XP, and the unit tests as 64-bit programs.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "win/SystemFunction.h"

namespace klarvo::test {

inline constexpr char kNt4Lacks[] = "GetLongPathNameA,GetVolumePathNamesForVolumeNameA";

// The mode the test run asked Wine for (KLARVO_WINE_MODE: win98, winxp,
// win64), empty when a program is started by hand without it.
std::string RequestedWineMode();

// Wine offers every function of the NT line whatever version it reports.
// Run with --line=9x, a test program registering this misses `lacking` (the
// functions Windows 95 and 98 lack) in every test, so that the code under
// test takes their path; with --line=nt4, what NT 4 lacks of the NT line's
// later functions.
class Windows9xPath : public testing::Environment {
public:
    explicit Windows9xPath(const char* lacking) : lacking_(lacking) {}
    void SetUp() override;
    void TearDown() override { missing_.reset(); }

private:
    const char* lacking_;
    std::unique_ptr<ScopedMissingFunctions> missing_;
};

} // namespace klarvo::test
