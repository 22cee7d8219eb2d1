// The soak: a million forged messages to each of the two real programs, in
// batches of a thousand, with everything the hostile end-to-end test checks
// after its ten thousand. Run it in the sandbox prefix (the flood asks for
// cleanings) with --shell=... --cleaner=...; it prints its figures.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "../e2e/hostile.h"

using namespace klarvo::test;

namespace {

TEST_F(Neighbours, Soak)
{
    const std::string asked = TestArgument("count");
    const FloodFigures figures = Flood(asked.empty() ? 1000000 : std::stoul(asked), 1000);
    const DWORD total = figures.milliseconds + figures.settleMilliseconds;
    std::printf("soak: %u messages to each program posted in %lu ms, all handled after %lu ms (%.0f per second), "
                "at most %u box(es), %u cleaner restarts seen\n",
                static_cast<unsigned>(figures.sent), static_cast<unsigned long>(figures.milliseconds),
                static_cast<unsigned long>(total), total ? figures.sent * 1000.0 / total : 0.0,
                static_cast<unsigned>(figures.mostBoxes), static_cast<unsigned>(figures.cleanerEnds));
}

} // namespace
