#include "pages/HddPage.h"

#include "controls/IACheckControl.h"
#include "framework/StdWindows.h"
#include "link/Messages.h"
#include "pages/Handlers.h"

namespace klarvo {

HddPage::HddPage(ShellHost& host, Chrome& chrome) : host_(host), chrome_(chrome) {}

void HddPage::Bind(HandlerTable& handlers)
{
    handlers.Add("cbdirClick", NotifyEvent([this](Component* s) { cbdirClick(s); }));
    handlers.Add("tshddShow", NotifyEvent([this](Component* s) { tshddShow(s); }));
    handlers.Add("nbdefhddClick", NotifyEvent([this](Component* s) { nbdefhddClick(s); }));
    handlers.Add("nbtempClick", NotifyEvent([this](Component* s) { nbtempClick(s); }));
    handlers.Add("nbinternetClick", NotifyEvent([this](Component* s) { nbinternetClick(s); }));
    handlers.Add("nbcookiesClick", NotifyEvent([this](Component* s) { nbcookiesClick(s); }));
    handlers.Add("nbdirClick", NotifyEvent([this](Component* s) { nbdirClick(s); }));
    handlers.Add("nbhistoryClick", NotifyEvent([this](Component* s) { nbhistoryClick(s); }));
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
    // The description marks dedir as edited only when it is clicked, and a
    // directory picked with its browse button is no click of the edit: the
    // choice could not be applied without touching something else. A pick
    // changes the text, so the change marks it too. The page is shown before
    // its browse button can be pressed, and loading the settings, which also
    // sets the text, is over by then.
    auto& dir = Need<Edit>(host_.Root(), "dedir");
    if (!dir.OnChange) {
        dir.OnChange = [this](Component*) { chrome_.EnableApply(); };
    }
    chrome_.ShowApplyKeepingState([this] { cbdirClick(nullptr); });
}

void HddPage::nbdefhddClick(Component*)
{
    host_.ShowSlotDefaults(DefaultsButton::Hdd);
    cbdirClick(nullptr);
    chrome_.EnableApply();
}

void HddPage::nbtempClick(Component*)
{
    host_.SendToCleaner(cmdClearHdd, hcTemp);
}

void HddPage::nbinternetClick(Component*)
{
    host_.SendToCleaner(cmdClearHdd, hcInternet);
}

void HddPage::nbcookiesClick(Component*)
{
    host_.SendToCleaner(cmdClearHdd, hcCookies);
}

void HddPage::nbdirClick(Component*)
{
    host_.SendToCleaner(cmdClearHdd, hcDir);
}

void HddPage::nbhistoryClick(Component*)
{
    host_.SendToCleaner(cmdClearHdd, hcHistory);
}

} // namespace klarvo
