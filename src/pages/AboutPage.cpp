#include "pages/AboutPage.h"

#include "link/CleanerLink.h"
#include "pages/Handlers.h"
#include "resources/AssetIds.h"

namespace klarvo {

AboutPage::AboutPage(ShellHost& host, Chrome& chrome) : PageOf(host, chrome)
{
    openAddress = [](const std::string& address) {
        // No browser or mail program registered: nothing to report.
        RunFile(address, "", "", kShowNormal);
    };
}

namespace {

// Every handler the description may name on this page.
const HandlerRow<AboutPage> kHandlers[] = {
    KLARVO_HANDLER(AboutPage, tsaboutShow),
    KLARVO_HANDLER(AboutPage, lbupdateClick),
    KLARVO_HANDLER(AboutPage, lbmailClick),
};

} // namespace

const std::span<const HandlerRow<AboutPage>> AboutPage::kHandlerRows = kHandlers;

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
