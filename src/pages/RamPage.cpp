#include "pages/RamPage.h"

#include "framework/StdCtrls.h"
#include "framework/StdWindows.h"
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

std::string FreeAmountText(std::int32_t totalRamMB, std::int32_t ramPercent)
{
    // The product wraps at 32 bits as the stored value does in the
    // resident cleaner; only a damaged slot 15 gets there.
    const auto product = static_cast<std::int32_t>(static_cast<std::int64_t>(totalRamMB) * ramPercent);
    return " = " + std::to_string(product / 100) + " MB";
}

RamPage::RamPage(ShellHost& host, Chrome& chrome) : host_(host), chrome_(chrome) {}

void RamPage::Bind(HandlerTable& handlers)
{
    handlers.Add("sb1Click", NotifyEvent([this](Component* s) { sb1Click(s); }));
    handlers.Add("tsramShow", NotifyEvent([this](Component* s) { tsramShow(s); }));
    handlers.Add("nbdeframClick", NotifyEvent([this](Component* s) { nbdeframClick(s); }));
}

void RamPage::sb1Click(Component* sender)
{
    ShellValues& values = host_.Values();
    const int n = FindPercentButton(host_.Root(), sender);
    if (n != -1) {
        values.ramPercent = n * 10;
    }
    Need<Control>(host_.Root(), "lbfreemb").SetText(FreeAmountText(values.totalRamMB, values.ramPercent));
    chrome_.EnableApply();
}

void RamPage::tsramShow(Component*)
{
    chrome_.ShowApplyKeepingState([this] {
        sb1Click(nullptr);
        for (const char* name : {"udpopup1", "udpopup2", "udpopup3"}) {
            Need<UpDown>(host_.Root(), name).SetMax(host_.Values().totalRamMB);
        }
    });
}

void RamPage::nbdeframClick(Component*)
{
    Component& root = host_.Root();
    const std::int32_t total = host_.Values().totalRamMB;
    Need<UpDown>(root, "udpopup1").SetPosition(total / 4);
    Need<UpDown>(root, "udpopup2").SetPosition(total / 2);
    Need<UpDown>(root, "udpopup3").SetPosition(total * 2 / 3);
    Need<UpDown>(root, "udmaxtry").SetPosition(2);
    auto& half = Need<SpeedButton>(root, PercentButtonName(5));
    half.SetDown(true);
    sb1Click(&half);
    chrome_.EnableApply();
}

} // namespace klarvo
