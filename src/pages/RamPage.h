#pragma once

// The RAM Cleaning page (index 2): the share of memory "Start !" frees
// (RamPercent, shown by ten grouped speed buttons sb1..sb10), the three
// amounts of the resident cleaner's popup menu and the try count.

#include "pages/Chrome.h"
#include "pages/ShellHost.h"

#include <cstdint>
#include <string>

namespace klarvo {

class HandlerTable;

// The number 1..10 of the percent button sb1..sb10 that `control` is, the
// names looked up in order; -1 for anything else, null included.
int FindPercentButton(Component& root, const Component* control);
// Puts sb(ramPercent div 10) down, which brings the rest of its group up;
// nothing changes when there is no such button (below 10, above 109).
void PressPercentButton(Component& root, std::int32_t ramPercent);

// The text of lbfreemb: " = <TotalRamMB * RamPercent div 100> MB".
std::string FreeAmountText(std::int32_t totalRamMB, std::int32_t ramPercent);

class RamPage {
public:
    RamPage(ShellHost& host, Chrome& chrome);
    void Bind(HandlerTable& handlers);

    // A percent button (or none): RamPercent follows it, the amount is
    // rewritten for the current TotalRamMB.
    void sb1Click(Component* sender);
    void tsramShow(Component* sender);
    // "Default setting": popup amounts a quarter, a half and two thirds of
    // the memory, two tries, 50 %.
    void nbdeframClick(Component* sender);

private:
    ShellHost& host_;
    Chrome& chrome_;
};

} // namespace klarvo
