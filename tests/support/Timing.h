#pragma once

// The clock of the benchmark programs.

#include <functional>

namespace klarvo::test {

// The one clock of the benchmark programs, never of assertions: seconds on
// the performance counter, from an arbitrary start.
double SecondsNow();

// The wall time of one call of `work`, in seconds.
double SecondsOf(const std::function<void()>& work);

// The mean wall time of one call of `work`, in microseconds, over `count`
// calls.
double MicrosecondsPer(int count, const std::function<void()>& work);

// The machine is shared, so this figure is the best of eight batches of
// `count` calls in all (the one least disturbed by other work), after one
// batch that warms up. `calls` counts every call made, warm-up included.
struct BestOfBatches {
    double microseconds;
    int calls;
};
BestOfBatches BestMicrosecondsPer(int count, const std::function<void()>& work);

} // namespace klarvo::test
