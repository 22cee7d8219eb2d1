#include "pages/HddPage.h"

#include "controls/IACheckControl.h"
#include "pages/Handlers.h"

namespace klarvo {

HddPage::HddPage(ShellHost& host, Chrome& chrome) : host_(host), chrome_(chrome) {}

void HddPage::Bind(HandlerTable& handlers)
{
    handlers.Add("cbdirClick", NotifyEvent([this](Component* s) { cbdirClick(s); }));
    handlers.Add("tshddShow", NotifyEvent([this](Component* s) { tshddShow(s); }));
    handlers.Add("nbdefhddClick", NotifyEvent([this](Component* s) { nbdefhddClick(s); }));
}

void HddPage::cbdirClick(Component*)
{
    Component& root = host_.Root();
    const bool on = Need<TIACheckControl>(root, "cbdir").Checked();
    Need<Control>(root, "dedir").SetEnabled(on);
    Need<Control>(root, "cbsubdir").SetEnabled(on);
    chrome_.EnableApply();
}

void HddPage::tshddShow(Component*)
{
    chrome_.ShowApplyKeepingState([this] { cbdirClick(nullptr); });
}

void HddPage::nbdefhddClick(Component*)
{
    Component& root = host_.Root();
    for (const char* name : {"cbtemp", "cbinternet", "cbhistory", "cbcookies"}) {
        Need<TIACheckControl>(root, name).SetChecked(true);
    }
    Need<TIACheckControl>(root, "cbdir").SetChecked(false);
    cbdirClick(nullptr);
    Need<TIACheckControl>(root, "cbclearselect").SetChecked(false);
    chrome_.EnableApply();
}

} // namespace klarvo
