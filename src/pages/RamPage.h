#pragma once

// The RAM Cleaning page (index 2): the share of memory "Start !" frees
// (RamPercent, shown by ten grouped speed buttons sb1..sb10), the three
// amounts of the resident cleaner's popup menu and the try count.

#include "pages/Chrome.h"
#include "pages/Page.h"
#include "pages/FreeRamPages.h"
#include "pages/InfoPage.h"
#include "pages/ShellHost.h"

#include <cstdint>
#include <string>

namespace klarvo {

// The number 1..10 of the percent button sb1..sb10 that `control` is, the
// names looked up in order; -1 for anything else, null included.
int FindPercentButton(Component& root, const Component* control);
// Puts sb(ramPercent div 10) down, which brings the rest of its group up;
// nothing changes when there is no such button (below 10, above 109).
void PressPercentButton(Component& root, std::int32_t ramPercent);

class RamPage : public PageOf<RamPage> {
public:
    RamPage(ShellHost& host, Chrome& chrome);
    // The names the description may give this page's events, and their members.
    static const std::span<const HandlerRow<RamPage>> kHandlerRows;

    // A percent button (or none): RamPercent follows it, the amount is
    // rewritten for the current TotalRamMB.
    void sb1Click(Component* sender);
    void tsramShow(Component* sender);
    // "Default setting": the slot table's defaults of this page's rows
    // (popup amounts as shares of the memory, two tries, 50 %).
    void nbdeframClick(Component* sender);
    // Keeps the raised look on the percent button under the pointer only.
    void sb1MouseMove(Component* sender, ShiftState shift, int x, int y);
    // Asks the resident cleaner to free the chosen share, applied or not.
    void nbramstartClick(Component* sender);
    // 1.5 s after the last progress report: Start back, bar empty, and the
    // Info page shown if the user still looks at this one.
    void tmhideTimer(Component* sender);
    // ntRamProgress.
    void ShowProgress(std::int64_t percent);

private:
    void ShowProgressState();

    NamedTimer hideTimer_;
    RamProgressDisplay progress_;
};

} // namespace klarvo
