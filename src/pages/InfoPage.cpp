#include "pages/InfoPage.h"

#include "framework/Bitmap.h"
#include "framework/StdCtrls.h"
#include "framework/StdWindows.h"
#include "framework/Timer.h"
#include "link/Messages.h"
#include "pages/FreeRamHistory.h"
#include "pages/Handlers.h"
#include "pages/InfoGraph.h"

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
    : host_(host), chrome_(chrome), lockTimer_(host, "tmlock"), lock_(lockTimer_)
{
}

void InfoPage::Bind(HandlerTable& handlers)
{
    handlers.Add("tsinfoShow", NotifyEvent([this](Component* s) { tsinfoShow(s); }));
    handlers.Add("pbfrPaint", NotifyEvent([this](Component* s) { pbfrPaint(s); }));
    handlers.Add("nbclearClick", NotifyEvent([this](Component* s) { nbclearClick(s); }));
    handlers.Add("tmlockTimer", NotifyEvent([this](Component* s) { tmlockTimer(s); }));

    ShellHooks& hooks = host_.Hooks();
    hooks.refreshInfo = [this](const MemoryFigures& figures) { RefreshInfo(figures); };
    hooks.drawFreeRamGraph = [this] { DrawFreeRamGraph(); };
    hooks.notification = [this, next = hooks.notification](int code, std::int64_t value) {
        if (!ShowEffect(code, value) && next) {
            next(code, value);
        }
    };
}

void InfoPage::tsinfoShow(Component*)
{
    chrome_.HideApply();
}

void InfoPage::pbfrPaint(Component* sender)
{
    auto* box = dynamic_cast<PaintBox*>(sender);
    const Bitmap& picture = Need<Image>(host_.Root(), "imfr").GetPicture().GetBitmap();
    if (!box || picture.Empty()) {
        return;
    }
    PaintFreeRamBox(box->GetCanvas(), picture);
}

void InfoPage::RefreshInfo(const MemoryFigures& figures)
{
    Component& root = host_.Root();
    const InfoFigureTexts texts = InfoFigureTextsFor(figures.totalRamMB, figures.freeMB, figures.freePercent);
    Need<Control>(root, "lball").SetText(texts.total);
    Need<Control>(root, "lbfree").SetText(texts.free);
    Need<Control>(root, "lbfree2").SetText(texts.freePercent);
    Need<ProgressBar>(root, "pball").SetPosition(texts.totalBar);
    Need<ProgressBar>(root, "pbfree").SetPosition(texts.freeBar);
    AppendFreeRamSample(host_.Values().freeRamHistory, static_cast<std::uint32_t>(figures.freeMB));
    DrawFreeRamGraph();
}

void InfoPage::DrawFreeRamGraph()
{
    Component& root = host_.Root();
    auto& image = Need<Image>(root, "imfr");
    Bitmap& picture = image.GetPicture().GetBitmap();
    if (picture.Width() != kGraphWidth || picture.Height() != kGraphHeight) {
        picture.SetSize(kGraphWidth, kGraphHeight);
    }
    const ShellValues& values = host_.Values();
    klarvo::DrawFreeRamGraph(picture.GetCanvas(), values.freeRamHistory, values.totalRamMB, LocaleDecimalSeparator());
    // Copied straight onto the visible box, whose window exists only once
    // the form has one; it repaints itself from imfr later otherwise.
    auto& box = Need<PaintBox>(root, "pbfr");
    auto* frame = box.Parent();
    if (box.Visible() && frame && frame->HandleAllocated() && IsWindowVisible(frame->Handle())) {
        PaintFreeRamBox(box.GetCanvas(), picture);
    }
}

bool InfoPage::ShowEffect(int code, std::int64_t value)
{
    const std::optional<EffectLabelText> effect = EffectLabelFor(static_cast<std::uint64_t>(code), value);
    if (!effect) {
        return false;
    }
    Need<Control>(host_.Root(), effect->label).SetText(effect->text);
    return true;
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
