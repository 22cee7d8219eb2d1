#include "pages/AutoRamPage.h"

#include "controls/IACheckControl.h"
#include "controls/NDigitEdit.h"
#include "framework/standard/StdCtrls.h"
#include "framework/standard/StdWindows.h"
#include "pages/FreeRamPages.h"
#include "pages/Handlers.h"
#include "settings/ConfFile.h"
#include "settings/SlotTable.h"

namespace klarvo {

namespace {

// Every handler the description may name on this page.
const HandlerRow<AutoRamPage> kHandlers[] = {
    KLARVO_HANDLER(AutoRamPage, nbdeffastramClick), KLARVO_HANDLER(AutoRamPage, cbautoClick),
    KLARVO_HANDLER(AutoRamPage, rbfullClick),       KLARVO_HANDLER(AutoRamPage, tsfastramShow),
    KLARVO_HANDLER(AutoRamPage, ndminprocChange),   KLARVO_HANDLER(AutoRamPage, ndfreeChange),
};

} // namespace

const std::span<const HandlerRow<AutoRamPage>> AutoRamPage::kHandlerRows = kHandlers;

void AutoRamPage::nbdeffastramClick(Component*)
{
    host_.ShowSlotDefaults(DefaultsButton::AutoRam);
    chrome_.EnableApply();
    cbautoClick(nullptr);
}

void AutoRamPage::ShowStoredSwitch()
{
    auto& cbauto = Need<TIACheckControl>(host_.Root(), "cbauto");
    cbauto.SetChecked(ReadConf(slotAuto) == 1);
    cbautoClick(&cbauto);
}

void AutoRamPage::cbautoClick(Component*)
{
    Component& root = host_.Root();
    const bool on = Need<TIACheckControl>(root, "cbauto").Checked();
    auto& page = Need<WinControl>(root, "tsfastram");
    for (int i = 0; i < page.ControlCount(); ++i) {
        Control* c = page.Controls(i);
        if (FollowsAutoSwitch(c->Name(), dynamic_cast<Bevel*>(c) != nullptr)) {
            c->SetEnabled(on);
        }
    }
    if (on) {
        rbfullClick(nullptr);
    }
    chrome_.EnableApply();
}

void AutoRamPage::rbfullClick(Component*)
{
    Component& root = host_.Root();
    const bool on = Need<TIACheckControl>(root, "rbfull").Checked();
    for (const char* name : {"ndfree", "udfree", "lbfr"}) {
        Need<Control>(root, name).SetEnabled(on);
    }
    chrome_.EnableApply();
}

void AutoRamPage::tsfastramShow(Component*)
{
    chrome_.ShowApplyKeepingState([this] {
        cbautoClick(nullptr);
        // Loading a percentage equal to the one the window was built with
        // raises no change, which would leave the built-in placeholder in
        // the label; the page is the first place the labels are seen.
        ndminprocChange(nullptr);
        ndfreeChange(nullptr);
    });
}

void AutoRamPage::ndminprocChange(Component*)
{
    Component& root = host_.Root();
    const std::int32_t percent = Need<TNDigitEdit>(root, "ndminproc").Value();
    Need<Control>(root, "lbminmb").SetText(PercentMBLabel(percent, host_.Values().totalRamMB));
}

void AutoRamPage::ndfreeChange(Component*)
{
    Component& root = host_.Root();
    const std::int32_t percent = Need<TNDigitEdit>(root, "ndfree").Value();
    Need<Control>(root, "lbfr").SetText(PercentMBLabel(percent, host_.Values().totalRamMB));
}

} // namespace klarvo
