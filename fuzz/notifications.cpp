// Any wParam and lParam of a notification through the texts and positions
// the shell shows, and any command through the resident cleaner's decoder.

#include "Check.h"
#include "link/Notifications.h"
#include "pages/FreeRamPages.h"
#include "pages/InfoFigures.h"
#include "resident/window/Commands.h"

#include <string>

using namespace klarvo;

namespace {

class NoTimer final : public RestartableTimer {
public:
    void Restart() override {}
    void Stop() override {}
};

bool IsTwoDigits(const std::string& text, std::size_t at)
{
    return at + 2 <= text.size() && text[at] >= '0' && text[at] <= '5' && text[at + 1] >= '0' && text[at + 1] <= '9';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const auto wParam = in.ConsumeIntegral<std::uint64_t>();
    const auto lParam = in.ConsumeIntegral<std::int64_t>();

    if (const std::optional<ShellNotification> code = NotificationCode(wParam)) {
        FUZZ_CHECK(static_cast<std::uint64_t>(*code) == wParam);
    }

    const std::string effect = EffectText(lParam);
    FUZZ_CHECK(lParam == -1 ? effect == kUnknownText : effect.ends_with(" KB)"));

    const std::string elapsed = ElapsedText(lParam);
    if (lParam < 0) {
        FUZZ_CHECK(elapsed == kUnknownText);
    } else {
        // "h:mm:ss  ago"
        FUZZ_CHECK(elapsed.ends_with("  ago") && elapsed.size() >= 12);
        const std::size_t end = elapsed.size() - 5;
        FUZZ_CHECK(elapsed[end - 3] == ':' && elapsed[end - 6] == ':');
        FUZZ_CHECK(IsTwoDigits(elapsed, end - 5) && IsTwoDigits(elapsed, end - 2));
    }

    if (const std::optional<int> page = ShowPageTarget(lParam)) {
        FUZZ_CHECK(lParam >= 0 && *page >= 0 && *page <= kLastPageIndex);
    } else {
        FUZZ_CHECK(lParam < 0);
    }

    const int position = ProgressPosition(lParam);
    FUZZ_CHECK(position >= 0 && position <= 100);

    if (const std::optional<EffectLabelText> label = EffectLabelFor(wParam, lParam)) {
        FUZZ_CHECK(wParam >= ntLastEffect && wParam <= ntTimeSince);
    }

    NoTimer timer;
    RamProgressDisplay progress(timer);
    progress.Report(lParam);
    FUZZ_CHECK(progress.Bar() == position && !progress.StartEnabled());

    (void)resident::DecodeCommand(wParam, lParam);
    return 0;
}
