#include "pages/RamPage.h"

#include "framework/window/Messages.h"
#include "framework/standard/StdCtrls.h"
#include "framework/standard/StdWindows.h"
#include "link/Messages.h"
#include "pages/Handlers.h"

namespace klarvo {

namespace {

constexpr int kPercentButtons = 10;

std::string PercentButtonName(int number)
{
    return "sb" + std::to_string(number);
}

} // namespace

int FindPercentButton(Component& root, const Component* control)
{
    if (!control) {
        return -1;
    }
    for (int n = 1; n <= kPercentButtons; ++n) {
        if (root.FindComponent(PercentButtonName(n)) == control) {
            return n;
        }
    }
    return -1;
}

void PressPercentButton(Component& root, std::int32_t ramPercent)
{
    if (auto* button = FindControl<SpeedButton>(root, PercentButtonName(ramPercent / 10))) {
        button->SetDown(true);
    }
}

RamPage::RamPage(ShellHost& host, Chrome& chrome)
    : PageOf(host, chrome), hideTimer_(host, "tmhide"), progress_(hideTimer_)
{
}

namespace {

// Every handler the description may name on this page.
const HandlerRow<RamPage> kHandlers[] = {
    KLARVO_HANDLER(RamPage, sb1Click),        KLARVO_HANDLER(RamPage, tsramShow),
    KLARVO_HANDLER(RamPage, nbdeframClick),   KLARVO_HANDLER(RamPage, sb1MouseMove),
    KLARVO_HANDLER(RamPage, nbramstartClick), KLARVO_HANDLER(RamPage, tmhideTimer),
};

} // namespace

const std::span<const HandlerRow<RamPage>> RamPage::kHandlerRows = kHandlers;

void RamPage::sb1Click(Component* sender)
{
    ShellValues& values = host_.Values();
    values.ramPercent = RamPercentAfterClick(FindPercentButton(host_.Root(), sender), values.ramPercent);
    Need<Control>(host_.Root(), "lbfreemb").SetText(FreeUpLabel(values.ramPercent, values.totalRamMB));
    chrome_.EnableApply();
}

void RamPage::tsramShow(Component*)
{
    chrome_.ShowApplyKeepingState([this] {
        sb1Click(nullptr);
        for (const char* name : {"udpopup1", "udpopup2", "udpopup3"}) {
            Need<UpDown>(host_.Root(), name).SetMax(PopupMaximum(true, host_.Values().totalRamMB));
        }
    });
}

void RamPage::nbdeframClick(Component*)
{
    host_.ShowSlotDefaults(DefaultsButton::Ram);
    // The share's button is down; the figure beside the buttons follows.
    sb1Click(nullptr);
    chrome_.EnableApply();
}

void RamPage::sb1MouseMove(Component* sender, ShiftState, int, int)
{
    for (int n = 1; n <= kPercentButtons; ++n) {
        auto* button = FindControl<SpeedButton>(host_.Root(), PercentButtonName(n));
        if (button && button != sender) {
            button->Perform(CM_MOUSELEAVE, 0, 0);
        }
    }
}

void RamPage::nbramstartClick(Component*)
{
    const ShellValues& values = host_.Values();
    host_.SendToCleaner(cmdFreeRam, PercentOfTotalMB(values.ramPercent, values.totalRamMB));
}

void RamPage::ShowProgress(std::int64_t percent)
{
    progress_.Report(percent);
    ShowProgressState();
}

void RamPage::tmhideTimer(Component*)
{
    const int active = Need<PageControl>(host_.Root(), "pc").ActivePageIndex();
    const bool backToInfo = progress_.TimerFired(active);
    ShowProgressState();
    if (backToInfo) {
        chrome_.SelectPage(0);
    }
}

void RamPage::ShowProgressState()
{
    Need<ProgressBar>(host_.Root(), "pbram").SetPosition(progress_.Bar());
    Need<Control>(host_.Root(), "nbramstart").SetEnabled(progress_.StartEnabled());
}

} // namespace klarvo
