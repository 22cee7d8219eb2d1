#include "pages/Pages.h"

#include "pages/Handlers.h"

namespace klarvo {

// The Chrome only keeps the Info page it is given: the page is made next.
PageSet::PageSet(ShellHost& host)
    : chrome(host, info), info(host, chrome), autoRam(host, chrome), ram(host, chrome), hdd(host, chrome),
      options(host, chrome), help(host, chrome), about(host, chrome)
{
    HandlerTable& handlers = host.Handlers();
    chrome.Bind(handlers);
    info.Bind(handlers);
    autoRam.Bind(handlers);
    ram.Bind(handlers);
    hdd.Bind(handlers);
    options.Bind(handlers);
    help.Bind(handlers);
    about.Bind(handlers);
}

void PageSet::ShowMemoryFigures(const MemoryFigures& figures)
{
    info.RefreshInfo(figures);
}

void PageSet::ShowNotification(ShellNotification code, std::int64_t value)
{
    switch (code) {
    case ntShowPage:
        chrome.ShowAskedPage(value);
        break;
    case ntLastEffect:
    case ntTotalEffect:
    case ntTimeSince:
        info.ShowEffect(code, value);
        break;
    case ntRamProgress:
        ram.ShowProgress(value);
        break;
    case ntAutoChanged:
        autoRam.ShowStoredSwitch();
        break;
    }
}

std::vector<std::string> PageSet::HandlerNames()
{
    std::vector<std::string> names;
    AddRowNames(Chrome::kHandlerRows, names);
    AddRowNames(InfoPage::kHandlerRows, names);
    AddRowNames(AutoRamPage::kHandlerRows, names);
    AddRowNames(RamPage::kHandlerRows, names);
    AddRowNames(HddPage::kHandlerRows, names);
    AddRowNames(OptionsPage::kHandlerRows, names);
    AddRowNames(HelpPage::kHandlerRows, names);
    AddRowNames(AboutPage::kHandlerRows, names);
    return names;
}

} // namespace klarvo
