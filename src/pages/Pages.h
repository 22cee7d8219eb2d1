#pragma once

// Every page's handlers, made and added to the window's handler table in a
// fixed order: the chrome first, then the pages by index; and what the
// window hears, handed to the page it belongs to.

#include "link/Messages.h"
#include "pages/AboutPage.h"
#include "pages/AutoRamPage.h"
#include "pages/Chrome.h"
#include "pages/HddPage.h"
#include "pages/HelpPage.h"
#include "pages/InfoPage.h"
#include "pages/OptionsPage.h"
#include "pages/RamPage.h"
#include "pages/ShellHost.h"

#include <cstdint>
#include <string>
#include <vector>

namespace klarvo {

class PageSet {
public:
    // Adds every handler to host.Handlers().
    explicit PageSet(ShellHost& host);
    PageSet(const PageSet&) = delete;
    PageSet& operator=(const PageSet&) = delete;

    // Every name the chrome's and the pages' tables answer.
    static std::vector<std::string> HandlerNames();

    // The refresh tick's figures: the Info page's figures, bars, history and
    // picture.
    void ShowMemoryFigures(const MemoryFigures& figures);
    // A WM_SHELLNOTIFY the shell understands, with the whole lParam, to the
    // page that shows it.
    void ShowNotification(ShellNotification code, std::int64_t value);

    Chrome chrome;
    InfoPage info;
    AutoRamPage autoRam;
    RamPage ram;
    HddPage hdd;
    OptionsPage options;
    HelpPage help;
    AboutPage about;
};

} // namespace klarvo
