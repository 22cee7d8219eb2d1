#pragma once

// How the window's behaviour is organised.
//
// The main window Tfmshell (src/app/Shell.h) is one form built from the
// stored description SHELL_FORM. The description names a handler for each
// event ("OnClick = nbapplyClick"); the loader sets each event to the
// handler of that name in one HandlerTable (Handlers.h), which the window
// fills before it loads the description. Nobody wires events by hand.
//
// Handlers live beside the page they belong to, in src/pages/:
//
//   Chrome      caption strip, page buttons, page background, Apply rule
//   <Name>Page  one class per page (AutoRamPage, RamPage, HddPage,
//               OptionsPage, and the Info, Help and About pages' own)
//
// Each page class is constructed with the ShellHost below and the Chrome,
// and adds its handlers to the table in Bind(). PageSet (Pages.h) makes
// every page in a fixed order: Chrome first, then the pages by index. The
// show handler of a page without settings hides Apply (Chrome::HideApply).
//
// Controls are reached by name through the form that owns them all:
// Need<TIACheckControl>(host.Root(), "cbauto"). A name that is missing or
// of another class is a fault of the description and raises FormError.
//
// Window-wide values (TotalRamMB, RamPercent, FreeRamHistory,
// BackgroundChanged) sit in ShellValues, owned by the window. The services
// a page may ask of the window (the resident cleaner, the fatal paths) are
// ShellHost's.
//
// What the window hears goes to its page by a plain call, so a reader (or a
// tool) follows every event to its effect: the refresh tick's figures and
// each WM_SHELLNOTIFY by its code pass through PageSet (Pages.h), the one
// place that knows which page shows what; the Chrome redraws the Info
// page's picture itself when the page control turns to it. Code runs
// another page's handler as a member (pages.autoRam.cbautoClick), never by
// its name in the table.

#include "framework/window/Component.h"
#include "framework/loader/FormLoader.h"
#include "pages/FreeRamHistory.h"
#include "settings/ShellControl.h"
#include "settings/SlotTable.h"

#include <array>
#include <cstdint>
#include <string>

namespace klarvo {

class HandlerTable;

struct ShellValues {
    // Total physical memory in MB, at least 1; remeasured on every tick.
    std::int32_t totalRamMB = 1;
    // The RAM page's share of memory (slot 15); no control holds it.
    std::int32_t ramPercent = 0;
    // Free MB of the last ticks, oldest first.
    FreeRamHistory freeRamHistory;
    // The background choice changed since it was last loaded.
    bool backgroundChanged = true;
    // Titles in the help text, counted once at start-up.
    std::int32_t helpTopicCount = 0;
};

// The memory figures of one refresh tick, for the Info page.
struct MemoryFigures {
    std::int32_t totalRamMB = 1;
    std::int32_t freeMB = 0;
    std::int32_t freePercent = 0;
};

class ShellHost : public ShellControl {
public:
    // The form: owner of every control, timer and page.
    virtual Component& Root() = 0;
    virtual ShellValues& Values() = 0;
    virtual HandlerTable& Handlers() = 0;
    // Posts a command to the resident cleaner, starting it when needed; may
    // end the application through the fatal path.
    virtual void SendToCleaner(std::int32_t command, std::int32_t argument) = 0;
    // Puts the defaults of the slots this button looks after into their
    // controls; the page does the rest of its button's work.
    virtual void ShowSlotDefaults(DefaultsButton button) = 0;

protected:
    ~ShellHost() = default;
};

// The component of that name and class below `root`, or null.
template <typename T> T* FindControl(Component& root, const std::string& name)
{
    return dynamic_cast<T*>(root.FindComponent(name));
}

// The same, for a control the description must have.
template <typename T> T& Need(Component& root, const std::string& name)
{
    Component* c = root.FindComponent(name);
    if (!c) {
        throw FormError("the window has no " + name);
    }
    T* typed = dynamic_cast<T*>(c);
    if (!typed) {
        throw FormError(name + " is not of the class its handlers need");
    }
    return *typed;
}

} // namespace klarvo
