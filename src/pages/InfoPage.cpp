#include "pages/InfoPage.h"

#include "framework/drawing/Bitmap.h"
#include "framework/standard/StdCtrls.h"
#include "framework/standard/StdWindows.h"
#include "framework/window/Timer.h"
#include "link/Messages.h"
#include "pages/FreeRamHistory.h"
#include "pages/Handlers.h"
#include "pages/InfoGraph.h"

#include <utility>

namespace klarvo {

void NamedTimer::Restart()
{
    ComponentTimer(Need<Timer>(host_.Root(), name_)).Restart();
}

void NamedTimer::Stop()
{
    ComponentTimer(Need<Timer>(host_.Root(), name_)).Stop();
}

InfoPage::InfoPage(ShellHost& host, Chrome& chrome)
    : PageOf(host, chrome), lockTimer_(host, "tmlock"), lock_(lockTimer_)
{
}

namespace {

// Every handler the description may name on this page.
const HandlerRow<InfoPage> kHandlers[] = {
    KLARVO_HANDLER(InfoPage, tsinfoShow),
    KLARVO_HANDLER(InfoPage, pbfrPaint),
    KLARVO_HANDLER(InfoPage, nbclearClick),
    KLARVO_HANDLER(InfoPage, tmlockTimer),
};

} // namespace

const std::span<const HandlerRow<InfoPage>> InfoPage::kHandlerRows = kHandlers;

void InfoPage::tsinfoShow(Component*)
{
    chrome_.HideApply();
}

void InfoPage::pbfrPaint(Component* sender)
{
    auto* box = dynamic_cast<PaintBox*>(sender);
    if (!box) {
        return;
    }
    // Ticks while the box could not be seen left the picture behind.
    ComposePicture();
    const Bitmap& picture = Need<Image>(host_.Root(), "imfr").GetPicture().GetBitmap();
    if (picture.Empty()) {
        return;
    }
    PaintFreeRamBox(box->GetCanvas(), picture);
}

void InfoPage::RefreshInfo(const MemoryFigures& figures)
{
    Component& root = host_.Root();
    const InfoFigureTexts texts = InfoFigureTextsFor(figures.totalRamMB, figures.freeMB, figures.freePercent);
    // Labels repaint only when their text changes (SetText), bars only
    // when they move.
    Need<Control>(root, "lball").SetText(texts.total);
    Need<Control>(root, "lbfree").SetText(texts.free);
    Need<Control>(root, "lbfree2").SetText(texts.freePercent);
    for (const auto& [name, position] : {std::pair{"pball", texts.totalBar}, std::pair{"pbfree", texts.freeBar}}) {
        auto& bar = Need<ProgressBar>(root, name);
        if (bar.Position() != position) {
            bar.SetPosition(position);
        }
    }
    host_.Values().freeRamHistory.Append(static_cast<std::uint32_t>(figures.freeMB));
    if (PictureVisible() && ComposePicture()) {
        CopyPicture();
    }
}

void InfoPage::DrawFreeRamGraph()
{
    ComposePicture();
    CopyPicture();
}

bool InfoPage::PictureVisible()
{
    auto* frame = Need<PaintBox>(host_.Root(), "pbfr").Parent();
    auto* window = dynamic_cast<WinControl*>(&host_.Root());
    if (!frame || !frame->HandleAllocated() || !window || !window->HandleAllocated()) {
        return false;
    }
    // A hidden page hides its frame; a minimised window keeps its pages
    // "visible" but shows none of them.
    return Need<PaintBox>(host_.Root(), "pbfr").Visible() && IsWindowVisible(frame->Handle()) &&
           !IsIconic(window->Handle());
}

bool InfoPage::ComposePicture()
{
    const ShellValues& values = host_.Values();
    const char separator = LocaleDecimalSeparator();
    Bitmap& picture = Need<Image>(host_.Root(), "imfr").GetPicture().GetBitmap();
    const bool sameScale = composed_ && composedTotalMB_ == values.totalRamMB && composedSeparator_ == separator &&
                           picture.Width() == kGraphWidth && picture.Height() == kGraphHeight;
    if (sameScale && composedSamples_ == values.freeRamHistory) {
        return false;
    }
    if (sameScale) {
        DrawFreeRamGraphPlot(picture.GetCanvas(), values.freeRamHistory, values.totalRamMB);
    } else {
        picture.SetSize(kGraphWidth, kGraphHeight);
        klarvo::DrawFreeRamGraph(picture.GetCanvas(), values.freeRamHistory, values.totalRamMB, separator);
    }
    composed_ = true;
    composedSamples_ = values.freeRamHistory;
    composedTotalMB_ = values.totalRamMB;
    composedSeparator_ = separator;
    return true;
}

void InfoPage::CopyPicture()
{
    // Straight onto the visible box, whose window exists only once the
    // form has one; it repaints itself from imfr later otherwise.
    if (PictureVisible()) {
        Component& root = host_.Root();
        PaintFreeRamBox(Need<PaintBox>(root, "pbfr").GetCanvas(), Need<Image>(root, "imfr").GetPicture().GetBitmap());
    }
}

void InfoPage::ShowEffect(ShellNotification code, std::int64_t value)
{
    if (const std::optional<EffectLabelText> effect = EffectLabelFor(static_cast<std::uint64_t>(code), value)) {
        Need<Control>(host_.Root(), effect->label).SetText(effect->text);
    }
}

void InfoPage::nbclearClick(Component*)
{
    // The button is disabled while locked, but a click already queued (or
    // a call from elsewhere) must not start a second cleaning.
    if (!lock_.Press()) {
        return;
    }
    Need<Control>(host_.Root(), "nbclear").SetEnabled(false);
    host_.SendToCleaner(cmdFastClean, 0);
    host_.SendToCleaner(cmdReportStatus, 0);
}

void InfoPage::tmlockTimer(Component*)
{
    lock_.TimerFired();
    Need<Control>(host_.Root(), "nbclear").SetEnabled(lock_.ButtonEnabled());
}

} // namespace klarvo
