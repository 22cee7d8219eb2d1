#include "support/Timing.h"

#include <windows.h>

namespace klarvo::test {

double MicrosecondsPer(int count, const std::function<void()>& work)
{
    LARGE_INTEGER frequency, from, to;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&from);
    for (int i = 0; i < count; ++i)
        work();
    QueryPerformanceCounter(&to);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart) / count;
}

} // namespace klarvo::test
