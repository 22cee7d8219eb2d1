#pragma once
// The summaries of a benchmark's rounds.

#include <algorithm>
#include <vector>

namespace klarvo::bench {

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double Best(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

} // namespace klarvo::bench
