// Any Conf.dat image and ConfStr.dat text through the readers, and any slot
// value and total through every conversion the shell and the resident
// cleaner make of it.

#include "Check.h"
#include "app/PageArgument.h"
#include "app/SettingsValues.h"
#include "controls/NDigitEditText.h"
#include "pages/FreeRamPages.h"
#include "pages/InfoFigures.h"
#include "resident/work/ResidentSettings.h"
#include "settings/ConfFile.h"
#include "settings/ConfFormat.h"
#include "settings/SlotTable.h"

#include <climits>
#include <string>
#include <vector>

using namespace klarvo;

namespace {

using Image = std::vector<unsigned char>;

std::int32_t SlotOf(const Image& image, std::int32_t slot)
{
    const std::optional<std::uint64_t> offset = ConfSlotOffset(slot, image.size());
    if (!offset) {
        return 0;
    }
    FUZZ_CHECK(*offset + kConfRecordSize <= image.size());
    return DecodeConfSlot(image.data() + *offset);
}

void CheckFile(const Image& image, const std::string& text, std::int32_t slot, std::int32_t value)
{
    for (std::int32_t s : {slot, -1, 0, INT_MIN, INT_MAX}) {
        (void)SlotOf(image, s);
    }

    // A write lands in its slot and leaves every other whole record alone.
    const std::int32_t target = static_cast<std::int32_t>(static_cast<std::uint32_t>(slot) % 300);
    const ConfWrite write = PlanConfWrite(image.size(), target, value);
    Image written = image;
    FUZZ_CHECK(write.offset <= written.size() && write.offset % kConfRecordSize == 0);
    if (written.size() < write.offset + write.bytes.size()) {
        written.resize(write.offset + write.bytes.size());
    }
    std::copy(write.bytes.begin(), write.bytes.end(), written.begin() + static_cast<std::ptrdiff_t>(write.offset));
    FUZZ_CHECK(SlotOf(written, target) == value);
    for (std::int32_t s = 0; s < target && ConfSlotOffset(s, image.size()); ++s) {
        FUZZ_CHECK(SlotOf(written, s) == SlotOf(image, s));
    }

    // Lines read back as written, however the text ended them.
    const std::vector<std::string> lines = SplitLines(text);
    FUZZ_CHECK(SplitLines(ConfStrText(lines)) == lines);
    // A value holding a line break cannot shift the lines after it.
    const std::vector<std::string> odd = {text, "x", text};
    FUZZ_CHECK(SplitLines(ConfStrText(odd)).size() == odd.size());

    const resident::ResidentSettings settings =
        resident::InterpretSettings([&image](std::int32_t s) { return SlotOf(image, s); }, lines);
    FUZZ_CHECK(settings.minPercent >= 5 && settings.minPercent <= 100);
    FUZZ_CHECK(settings.everyMinutes >= 1 && settings.everyMinutes <= 60);
    FUZZ_CHECK(settings.maxTries >= 1 && settings.maxTries <= 5);
    for (char hot : {settings.hotFast, settings.hotAutoOn, settings.hotAutoOff}) {
        FUZZ_CHECK(hot == 0 || (hot >= 'A' && hot <= 'Z'));
    }
}

void CheckConversions(std::int32_t value, std::int32_t total, std::int32_t other, std::uint64_t bytes,
                      const std::string& text)
{
    for (const SlotInfo& info : SlotTable()) {
        const std::int32_t shown = ShownFromStored(info, value, total);
        if (info.kind == SlotKind::Flag || info.kind == SlotKind::InvertedFlag) {
            FUZZ_CHECK(shown == 0 || shown == 1);
        }
        (void)StoredFromShown(info, value, total);
        (void)ShownDefault(info, {total, value != 0});
        (void)FirstRunDefault(info, total, value != 0);
    }
    (void)FreeSlotFromPercent(value, total);
    (void)PercentFromFreeSlot(value, total);
    (void)FreePercent(value, total);
    (void)Mul32(value, total);
    const std::int32_t key = HotKeySlot(value != 0, text);
    FUZZ_CHECK(key >= 0 && key <= 255);
    FUZZ_CHECK(HotKeyText(value).size() == (value == 0 ? 0u : 1u));

    (void)PercentOfTotalMB(value, total);
    (void)PercentMBLabel(value, total);
    (void)FreeUpLabel(value, total);
    (void)PopupMaximum(value != 0, total);
    // The speed buttons are numbered 1 to 10; -1 is "none pressed".
    (void)RamPercentAfterClick(static_cast<int>(static_cast<std::uint32_t>(value) % 12) - 1, other);
    (void)InfoFigureTextsFor(total, value, other);
    (void)TempDirLine(text, static_cast<std::uint32_t>(other));

    (void)digitedit::ParseValue(text);
    (void)digitedit::FormatValue(value);
    (void)ParsePageArgument(text.c_str());

    resident::ResidentSettings settings;
    settings.freeMB = value;
    settings.popupMB[0] = value;
    settings.minPercent = other;
    (void)resident::AutoCleaningMegabytes(settings, total);
    (void)resident::PopupMegabytes(settings, other, total);
    (void)resident::AutoCleaningDue(settings, bytes, static_cast<std::uint64_t>(value));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const auto value = in.ConsumeIntegral<std::int32_t>();
    const auto total = in.ConsumeIntegral<std::int32_t>();
    const auto other = in.ConsumeIntegral<std::int32_t>();
    const auto bytes = in.ConsumeIntegral<std::uint64_t>();
    const Image image = in.ConsumeBytes<unsigned char>(in.ConsumeIntegralInRange<std::size_t>(0, 200));
    const std::string text = in.ConsumeRemainingBytesAsString();

    CheckFile(image, text, other, value);
    for (std::int32_t t : {total, 0, 1, -1, 4096, INT_MIN, INT_MAX}) {
        CheckConversions(value, t, other, bytes, text);
    }
    return 0;
}
