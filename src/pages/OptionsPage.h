#pragma once

// The Options page (index 4): autorun, the tray figure, the sound, the
// window's background picture and three hot keys of the resident cleaner.

#include "pages/Chrome.h"
#include "pages/Page.h"
#include "pages/ShellHost.h"

#include <string>

namespace klarvo {

class OptionsPage : public PageOf<OptionsPage> {
public:
    using PageOf::PageOf;
    // The names the description may give this page's events, and their members.
    static const std::span<const HandlerRow<OptionsPage>> kHandlerRows;

    // Dependency handlers: the controls that follow a check box take its
    // state. cbwallClick also marks the background as changed.
    void cbautorunClick(Component* sender);
    void cbsoundClick(Component* sender);
    void cbwallClick(Component* sender);
    void cbhotClick(int number);
    void cbhot1Click(Component*) { cbhotClick(1); }
    void cbhot2Click(Component*) { cbhotClick(2); }
    void cbhot3Click(Component*) { cbhotClick(3); }
    void fewallChange(Component* sender);
    // A key typed into edhot1..3: a letter upper-cased, backspace and
    // return let through, anything else dropped before the edit sees it.
    void edhot1KeyPress(Component* sender, char& key);
    void tsoptShow(Component* sender);
    // "Default setting": the slot table's defaults of this page's rows
    // (autorun with the shell kept closed, default.wav when it is there,
    // hot keys off with their letters ready), the sound file's name, then
    // the follow handlers.
    void nbdefoptClick(Component* sender);

private:
    void Follow(const char* box, std::initializer_list<const char*> followers);
};

} // namespace klarvo
