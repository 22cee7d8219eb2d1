#include "app/SettingsValues.h"

namespace klarvo {

std::int32_t Mul32(std::int32_t a, std::int32_t b)
{
    // Through unsigned arithmetic, which wraps by definition.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

std::int32_t TotalRamMBFromBytes(std::uint32_t totalBytes)
{
    return static_cast<std::int32_t>(totalBytes >> 20) + 1;
}

std::int32_t FreeMBFromBytes(std::uint32_t availableBytes)
{
    return static_cast<std::int32_t>(availableBytes >> 20);
}

std::int32_t FreePercent(std::int32_t freeMB, std::int32_t totalRamMB)
{
    if (totalRamMB == 0) {
        return 0;
    }
    return Mul32(freeMB, 100) / totalRamMB;
}

std::int32_t FreeSlotFromPercent(std::int32_t percent, std::int32_t totalRamMB)
{
    return Mul32(percent, totalRamMB) / 100;
}

std::int32_t PercentFromFreeSlot(std::int32_t megabytes, std::int32_t totalRamMB)
{
    if (totalRamMB == 0) {
        return 0;
    }
    const std::int32_t perMille = Mul32(megabytes, 1000);
    // INT32_MIN / -1 is the one quotient that does not fit.
    const std::int32_t quotient = totalRamMB == -1 ? Mul32(perMille, -1) : perMille / totalRamMB;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(quotient) + 5u) / 10;
}

std::int32_t HotKeySlot(bool ticked, std::string_view text)
{
    if (!ticked || text.size() != 1) {
        return 0;
    }
    return static_cast<unsigned char>(text[0]);
}

std::string HotKeyText(std::int32_t slot)
{
    if (slot == 0) {
        return {};
    }
    return std::string(1, static_cast<char>(slot & 0xFF));
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
