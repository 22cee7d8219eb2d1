#include "pages/KeyRoutes.h"

#include "controls/GradBtn.h"
#include "controls/IACheckControl.h"
#include "framework/window/Form.h"
#include "framework/standard/StdCtrls.h"
#include "framework/standard/StdWindows.h"
#include "pages/ShellHost.h"

#include <windows.h>

#include <string>

namespace klarvo {

namespace {

constexpr int kRamPage = 2;
constexpr int kHelpPage = 5;
constexpr int kAboutPage = 6;
constexpr int kShareButtons = 10;

// The digit 1..9 as 1..9 and 0 as 10; 0 for anything else.
int DigitPlace(char ch)
{
    if (ch == '0') {
        return 10;
    }
    return ch >= '1' && ch <= '9' ? ch - '0' : 0;
}

bool PressShareButton(Component& root, int place)
{
    auto* button = FindControl<SpeedButton>(root, "sb" + std::to_string(place));
    if (place < 1 || place > kShareButtons || !button || !button->Visible() || !button->Enabled()) {
        return false;
    }
    button->Press();
    return true;
}

// A label as a link: clicked as the mouse clicks it, if it can be seen.
bool ClickLink(Component& owner, const std::string& name)
{
    auto* link = FindControl<Control>(owner, name);
    if (!link || !link->Visible() || !link->Enabled()) {
        return false;
    }
    link->Click();
    return true;
}

bool RouteKey(Form& form, char ch)
{
    auto& pages = Need<PageControl>(form, "pc");
    const char letter = static_cast<char>(static_cast<unsigned char>(ch) & ~0x20);
    switch (pages.ActivePageIndex()) {
    case kRamPage:
        return PressShareButton(form, DigitPlace(ch));
    case kHelpPage:
        // The index labels belong to the page control.
        return DigitPlace(ch) >= 1 && DigitPlace(ch) <= 9 &&
               ClickLink(pages, "lbind" + std::to_string(DigitPlace(ch) - 1));
    case kAboutPage:
        return (letter == 'V' && ClickLink(form, "lbupdate")) || (letter == 'E' && ClickLink(form, "lbmail"));
    default:
        return false;
    }
}

} // namespace

void ShowFocusOnKeyboardUse(Form& form)
{
    form.OnKeyboardCues = [&form](Component*) {
        ForEachComponent(&form, [](Component* c) {
            if (auto* button = dynamic_cast<TGradBtn*>(c)) {
                button->SetShowFocus(true);
            } else if (auto* box = dynamic_cast<TIACheckControl*>(c)) {
                box->SetShowFocus(true);
            }
        });
    };
}

void RouteShortcutKeys(Form& form)
{
    form.OnShortcut = [&form](Component*, char& key) {
        if (RouteKey(form, key)) {
            key = 0;
        }
    };
}

} // namespace klarvo
