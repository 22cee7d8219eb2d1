#include "pages/Pages.h"

#include "pages/Handlers.h"

namespace klarvo {

PageSet::PageSet(ShellHost& host)
    : chrome(host), info(host, chrome), autoRam(host, chrome), ram(host, chrome), hdd(host, chrome),
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

std::vector<std::string> PageSet::HandlerNames()
{
    std::vector<std::string> names;
    AddRowNames(Chrome::HandlerRows(), names);
    AddRowNames(InfoPage::HandlerRows(), names);
    AddRowNames(AutoRamPage::HandlerRows(), names);
    AddRowNames(RamPage::HandlerRows(), names);
    AddRowNames(HddPage::HandlerRows(), names);
    AddRowNames(OptionsPage::HandlerRows(), names);
    AddRowNames(HelpPage::HandlerRows(), names);
    AddRowNames(AboutPage::HandlerRows(), names);
    return names;
}

} // namespace klarvo
