// The soak: a million forged messages to each of the two real programs, in
// batches of a thousand, with everything the hostile end-to-end test checks
// after its ten thousand. Run it in the sandbox prefix (the flood asks for
// cleanings) with --shell=... --cleaner=...; it prints its figures.
#include <gtest/gtest.h>

#include <cstdio>

#include "../e2e/hostile.h"

using namespace klarvo::test;

namespace {

TEST_F(Neighbours, Soak)
{
    const FloodFigures figures = Flood(1000000, 1000);
    std::printf("soak: %u messages to each program in %lu ms (%.0f per second), at most %u box(es), %u cleaner "
                "restarts\n",
                static_cast<unsigned>(figures.sent), static_cast<unsigned long>(figures.milliseconds),
                figures.milliseconds ? figures.sent * 1000.0 / figures.milliseconds : 0.0,
                static_cast<unsigned>(figures.mostBoxes), static_cast<unsigned>(figures.cleanerEnds));
}

} // namespace
