#pragma once

#include <functional>

namespace klarvo::test {

// The mean wall time of one call of `work`, in microseconds, over `count`
// calls: for benchmark programs, never for assertions.
double MicrosecondsPer(int count, const std::function<void()>& work);

} // namespace klarvo::test
