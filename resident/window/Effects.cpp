#include "resident/window/Effects.h"

#include <windows.h>

#include <algorithm>
#include <limits>

namespace klarvo::resident {
namespace {

std::int32_t Saturated(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

void Effects::Record(std::int64_t freedKB, std::uint64_t nowMs)
{
    freedKB = std::max<std::int64_t>(freedKB, 0);
    any_ = true;
    lastKB_ = freedKB;
    totalKB_ += freedKB;
    lastMs_ = nowMs;
}

Effects::Figures Effects::At(std::uint64_t nowMs) const
{
    if (!any_) {
        return {-1, -1, -1};
    }
    const std::uint64_t elapsed = nowMs >= lastMs_ ? nowMs - lastMs_ : 0;
    return {Saturated(lastKB_), Saturated(totalKB_), Saturated(static_cast<std::int64_t>(elapsed / 1000))};
}

std::uint64_t Uptime::Now()
{
    const std::uint32_t now = GetTickCount();
    if (now < last_) {
        high_ += std::uint64_t{1} << 32;
    }
    last_ = now;
    return high_ + now;
}

} // namespace klarvo::resident
