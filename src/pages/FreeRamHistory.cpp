#include "pages/FreeRamHistory.h"

#include <algorithm>

namespace klarvo {

void FreeRamHistory::Append(std::uint32_t freeMB)
{
    std::copy(samples_.begin() + 1, samples_.end(), samples_.begin());
    samples_.back() = static_cast<std::uint16_t>(freeMB & 0xFFFFu);
}

} // namespace klarvo
