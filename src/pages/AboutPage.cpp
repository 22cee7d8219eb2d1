#include "pages/AboutPage.h"

#include "link/CleanerLink.h"
#include "pages/Handlers.h"
#include "resources/AssetIds.h"

namespace klarvo {

AboutPage::AboutPage(ShellHost& host, Chrome& chrome) : host_(host), chrome_(chrome)
{
    openAddress = [](const std::string& address) {
        // No browser or mail program registered: nothing to report.
        RunFile(address, "", "", kShowNormal);
    };
}

void AboutPage::Bind(HandlerTable& handlers)
{
    handlers.Add("tsaboutShow", NotifyEvent([this](Component* s) { tsaboutShow(s); }));
    handlers.Add("lbupdateClick", NotifyEvent([this](Component* s) { lbupdateClick(s); }));
    handlers.Add("lbmailClick", NotifyEvent([this](Component* s) { lbmailClick(s); }));
}

void AboutPage::tsaboutShow(Component*)
{
    chrome_.HideApply();
    Need<Control>(host_.Root(), "lbver").SetCaption(kVersionCaption);
}

void AboutPage::lbupdateClick(Component*)
{
    if (openAddress) {
        openAddress(assets::kProductPageAddress);
    }
}

void AboutPage::lbmailClick(Component*)
{
    if (openAddress) {
        openAddress(std::string(kMailScheme) + assets::kSupportMailAddress);
    }
}

} // namespace klarvo
