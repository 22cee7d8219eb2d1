#include "pages/HddPage.h"

#include "controls/IACheckControl.h"
#include "framework/standard/StdWindows.h"
#include "link/Messages.h"
#include "pages/Handlers.h"

namespace klarvo {

namespace {

// Every handler the description may name on this page.
const HandlerRow<HddPage> kHandlers[] = {
    KLARVO_HANDLER(HddPage, cbdirClick),      KLARVO_HANDLER(HddPage, tshddShow),
    KLARVO_HANDLER(HddPage, nbdefhddClick),   KLARVO_HANDLER(HddPage, nbtempClick),
    KLARVO_HANDLER(HddPage, nbinternetClick), KLARVO_HANDLER(HddPage, nbcookiesClick),
    KLARVO_HANDLER(HddPage, nbdirClick),      KLARVO_HANDLER(HddPage, nbhistoryClick),
};

} // namespace

const std::span<const HandlerRow<HddPage>> HddPage::kHandlerRows = kHandlers;

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
