#include "pages/OptionsPage.h"

#include "controls/IACheckControl.h"
#include "pages/Handlers.h"
#include "pages/OptionsRules.h"
#include "settings/ExeDir.h"
#include "win/Files.h"

namespace klarvo {

OptionsPage::OptionsPage(ShellHost& host, Chrome& chrome) : host_(host), chrome_(chrome) {}

void OptionsPage::Bind(HandlerTable& handlers)
{
    handlers.Add("cbautorunClick", NotifyEvent([this](Component* s) { cbautorunClick(s); }));
    handlers.Add("cbsoundClick", NotifyEvent([this](Component* s) { cbsoundClick(s); }));
    handlers.Add("cbwallClick", NotifyEvent([this](Component* s) { cbwallClick(s); }));
    for (int n = 1; n <= 3; ++n) {
        handlers.Add("cbhot" + std::to_string(n) + "Click", NotifyEvent([this, n](Component*) { cbhotClick(n); }));
    }
    handlers.Add("fewallChange", NotifyEvent([this](Component* s) { fewallChange(s); }));
    handlers.Add("edhot1KeyPress", KeyPressEvent([this](Component* s, char& key) { edhot1KeyPress(s, key); }));
    handlers.Add("tsoptShow", NotifyEvent([this](Component* s) { tsoptShow(s); }));
    handlers.Add("nbdefoptClick", NotifyEvent([this](Component* s) { nbdefoptClick(s); }));
}

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
