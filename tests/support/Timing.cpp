#include "support/Timing.h"

#include <windows.h>

namespace klarvo::test {

double SecondsNow()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double SecondsOf(const std::function<void()>& work)
{
    const double start = SecondsNow();
    work();
    return SecondsNow() - start;
}

double MicrosecondsPer(int count, const std::function<void()>& work)
{
    const double seconds = SecondsOf([&] {
        for (int i = 0; i < count; ++i) {
            work();
        }
    });
    return seconds * 1e6 / count;
}

BestOfBatches BestMicrosecondsPer(int count, const std::function<void()>& work)
{
    constexpr int kBatches = 8;
    const int perBatch = count / kBatches > 0 ? count / kBatches : 1;
    for (int i = 0; i < perBatch; ++i) {
        work();
    }
    double best = 1e30;
    for (int b = 0; b < kBatches; ++b) {
        const double us = MicrosecondsPer(perBatch, work);
        best = us < best ? us : best;
    }
    return BestOfBatches{best, (kBatches + 1) * perBatch};
}

} // namespace klarvo::test
