#include "pages/AutoRamPage.h"

#include "controls/IACheckControl.h"
#include "framework/StdCtrls.h"
#include "framework/StdWindows.h"
#include "pages/Handlers.h"

namespace klarvo {

AutoRamPage::AutoRamPage(ShellHost& host, Chrome& chrome) : host_(host), chrome_(chrome) {}

void AutoRamPage::Bind(HandlerTable& handlers)
{
    handlers.Add("nbdeffastramClick", NotifyEvent([this](Component* s) { nbdeffastramClick(s); }));
    handlers.Add("cbautoClick", NotifyEvent([this](Component* s) { cbautoClick(s); }));
    handlers.Add("rbfullClick", NotifyEvent([this](Component* s) { rbfullClick(s); }));
    handlers.Add("tsfastramShow", NotifyEvent([this](Component* s) { tsfastramShow(s); }));
}

void AutoRamPage::nbdeffastramClick(Component*)
{
    Component& root = host_.Root();
    Need<TIACheckControl>(root, "cbauto").SetChecked(true);
    Need<TIACheckControl>(root, "rbfull").SetChecked(true);
    Need<UpDown>(root, "udminproc").SetPosition(15);
    Need<UpDown>(root, "udevery").SetPosition(5);
    Need<UpDown>(root, "udfree").SetPosition(30);
    chrome_.EnableApply();
    cbautoClick(nullptr);
}

void AutoRamPage::cbautoClick(Component*)
{
    Component& root = host_.Root();
    const bool on = Need<TIACheckControl>(root, "cbauto").Checked();
    auto& page = Need<WinControl>(root, "tsfastram");
    for (int i = 0; i < page.ControlCount(); ++i) {
        Control* c = page.Controls(i);
        const std::string& name = c->Name();
        if (name == "nbdeffastram" || name == "cbauto" || name == "pb2" || dynamic_cast<Bevel*>(c)) {
            continue;
        }
        c->SetEnabled(on);
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
    chrome_.ShowApplyKeepingState([this] { cbautoClick(nullptr); });
}

} // namespace klarvo
