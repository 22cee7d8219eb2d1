#include "pages/FreeRamHistory.h"

#include <algorithm>

namespace klarvo {

void AppendFreeRamSample(FreeRamSamples& samples, std::uint32_t freeMB)
{
    std::copy(samples.begin() + 1, samples.end(), samples.begin());
    samples.back() = static_cast<std::uint16_t>(freeMB & 0xFFFFu);
}

} // namespace klarvo
