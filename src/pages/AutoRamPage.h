#pragma once

// The Auto RAM Cleaning page (index 1): whether the resident cleaner cleans
// by itself, how often, below which share of free memory, and how.

#include "pages/Chrome.h"
#include "pages/Page.h"
#include "pages/ShellHost.h"

namespace klarvo {

class AutoRamPage : public PageOf<AutoRamPage> {
public:
    using PageOf::PageOf;
    // The names the description may give this page's events, and their members.
    static const std::span<const HandlerRow<AutoRamPage>> kHandlerRows;

    // "Default setting": the slot table's defaults of this page's rows
    // (auto cleaning on, the "Fast & usual" method, ...), then the switch
    // handler.
    void nbdeffastramClick(Component* sender);
    // ntAutoChanged: the resident cleaner rewrote the switch's slot (a hot
    // key), so the stored switch replaces an unapplied one and the page
    // follows it as it follows a click.
    void ShowStoredSwitch();
    // Greys everything on the page but the switch itself, the Default
    // button, frames and background while cbauto is clear.
    void cbautoClick(Component* sender);
    // The amount to free belongs to the "Fast & usual" method only.
    void rbfullClick(Component* sender);
    void tsfastramShow(Component* sender);
    // The megabytes beside the two percentages, for this machine's memory
    // at the time the percentage changes.
    void ndminprocChange(Component* sender);
    void ndfreeChange(Component* sender);
};

} // namespace klarvo
