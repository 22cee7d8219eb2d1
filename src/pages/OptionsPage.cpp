#include "pages/OptionsPage.h"

#include "controls/IACheckControl.h"
#include "pages/Handlers.h"
#include "pages/OptionsRules.h"
#include "settings/ExeDir.h"
#include "win/Files.h"

namespace klarvo {

namespace {

// Every handler the description may name on this page.
const HandlerRow<OptionsPage> kHandlers[] = {
    KLARVO_HANDLER(OptionsPage, cbautorunClick), KLARVO_HANDLER(OptionsPage, cbsoundClick),
    KLARVO_HANDLER(OptionsPage, cbwallClick),    KLARVO_HANDLER(OptionsPage, cbhot1Click),
    KLARVO_HANDLER(OptionsPage, cbhot2Click),    KLARVO_HANDLER(OptionsPage, cbhot3Click),
    KLARVO_HANDLER(OptionsPage, fewallChange),   KLARVO_HANDLER(OptionsPage, edhot1KeyPress),
    KLARVO_HANDLER(OptionsPage, tsoptShow),      KLARVO_HANDLER(OptionsPage, nbdefoptClick),
};

} // namespace

const std::span<const HandlerRow<OptionsPage>> OptionsPage::kHandlerRows = kHandlers;

void OptionsPage::Follow(const char* box, std::initializer_list<const char*> followers)
{
    Component& root = host_.Root();
    const bool on = Need<TIACheckControl>(root, box).Checked();
    for (const char* name : followers) {
        Need<Control>(root, name).SetEnabled(on);
    }
    chrome_.EnableApply();
}

void OptionsPage::cbautorunClick(Component*)
{
    Follow("cbautorun", {"cbnorunshell"});
}

void OptionsPage::cbsoundClick(Component*)
{
    Follow("cbsound", {"fesound"});
}

void OptionsPage::cbwallClick(Component*)
{
    Follow("cbwall", {"fewall"});
    host_.Values().backgroundChanged = true;
}

void OptionsPage::cbhotClick(int number)
{
    const std::string n = std::to_string(number);
    const std::string box = "cbhot" + n, label = "lbhot" + n, edit = "edhot" + n;
    Follow(box.c_str(), {label.c_str(), edit.c_str()});
}

void OptionsPage::fewallChange(Component*)
{
    host_.Values().backgroundChanged = true;
    chrome_.EnableApply();
}

void OptionsPage::edhot1KeyPress(Component*, char& key)
{
    key = FilterHotKeyChar(key);
}

void OptionsPage::tsoptShow(Component*)
{
    ShellValues& values = host_.Values();
    const bool backgroundChanged = values.backgroundChanged;
    chrome_.ShowApplyKeepingState([this] {
        cbautorunClick(nullptr);
        cbhotClick(1);
        cbhotClick(2);
        cbhotClick(3);
        cbsoundClick(nullptr);
        cbwallClick(nullptr);
    });
    // Showing the page changes nothing: a background chosen earlier and not
    // applied yet stays pending, and none is made pending.
    values.backgroundChanged = backgroundChanged;
}

void OptionsPage::nbdefoptClick(Component*)
{
    host_.ShowSlotDefaults(DefaultsButton::Options);
    // The sound's box follows the file; its edit gets the file's name.
    const DefaultSoundChoice sound = DefaultSoundFor(ExeDir(), FileExists);
    if (sound.fileName) {
        Need<Control>(host_.Root(), "fesound").SetText(*sound.fileName);
    }
    cbwallClick(nullptr);
    cbautorunClick(nullptr);
    cbsoundClick(nullptr);
    cbhotClick(1);
    cbhotClick(2);
    cbhotClick(3);
    chrome_.EnableApply();
}

} // namespace klarvo
