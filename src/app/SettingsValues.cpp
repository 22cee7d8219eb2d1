#include "app/SettingsValues.h"

namespace klarvo {

std::int32_t FreePercent(std::int32_t freeMB, std::int32_t totalRamMB)
{
    if (totalRamMB == 0) {
        return 0;
    }
    const std::int32_t scaled = Mul32(freeMB, 100);
    // INT32_MIN / -1 is the one quotient that does not fit: it wraps as the
    // product does.
    return totalRamMB == -1 ? Mul32(scaled, -1) : scaled / totalRamMB;
}

std::string TempDirLine(std::string_view path, std::uint32_t reportedLength)
{
    if (reportedLength == 0 || reportedLength > kTempPathRoom) {
        return {};
    }
    const std::size_t end = path.find('\0');
    std::string_view text = path.substr(0, end);
    if (text.empty()) {
        return {};
    }
    text.remove_suffix(1);
    return std::string(text);
}

} // namespace klarvo
