#include "link/Notifications.h"

namespace klarvo {
namespace {

std::string TwoDigits(std::int64_t value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

} // namespace

std::optional<ShellNotification> NotificationCode(std::uint64_t wParam)
{
    if (wParam < ntShowPage || wParam > ntAutoChanged) {
        return std::nullopt;
    }
    return static_cast<ShellNotification>(wParam);
}

std::string EffectText(std::int64_t kilobytes)
{
    if (kilobytes == -1) {
        return kUnknownText;
    }
    // C++ division truncates toward zero, as the figure must.
    return std::to_string(kilobytes / 1024) + " MB (" + std::to_string(kilobytes) + " KB)";
}

std::string ElapsedText(std::int64_t seconds)
{
    if (seconds < 0) {
        return kUnknownText;
    }
    const std::int64_t hours = seconds / 3600;
    const std::int64_t minutes = seconds % 3600 / 60;
    return std::to_string(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(seconds % 60) + "  ago";
}

std::optional<int> ShowPageTarget(std::int64_t page)
{
    if (page < 0) {
        return std::nullopt;
    }
    return page > kLastPageIndex ? kLastPageIndex : static_cast<int>(page);
}

int ProgressPosition(std::int64_t percent)
{
    if (percent < 0) {
        return 0;
    }
    return percent > 100 ? 100 : static_cast<int>(percent);
}

} // namespace klarvo
