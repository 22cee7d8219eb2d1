// Measures what the check control costs per paint and per shape update, for
// the figures of a report; it checks nothing.

#include "BenchForm.h"
#include "controls/IACheckControl.h"
#include "support/Pump.h"

#include <windows.h>

#include <cstdio>

using namespace klarvo;

int main()
{
    const auto form = bench::ShownForm("TCheckBench", 0, 0, 400, 200);
    form->Show();
    auto* c = new TIACheckControl(form.get());
    c->SetParent(form.get());
    c->SetStyle(iaccsStyle2);
    c->SetAutoSize(false);
    c->SetBounds(10, 10, 200, 20);
    c->SetText("Auto RAM cleaning");
    Font f = c->GetFont();
    f.SetHeight(16);
    f.SetStyle(fsBold);
    c->SetFont(f);
    c->SetChecked(true);
    test::Pump();

    const int n = 2000;
    std::printf("layout with text measuring: %.1f us\n", test::MicrosecondsPer(n, [&] { (void)c->Layout(); }));
    std::printf("window shape update:        %.1f us\n", test::MicrosecondsPer(n, [&] { c->UpdateWindowRegion(); }));
    const auto paint = [&] { RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); };
    std::printf("paint, flat text at 0:      %.1f us\n", test::MicrosecondsPer(n, paint));
    c->SetTextAngle(900);
    c->SetText3DStyle(iscct3dsUp);
    c->SetText("Auto RAM\r\ncleaning");
    std::printf("paint, raised two lines 90: %.1f us\n", test::MicrosecondsPer(n, paint));
    return 0;
}
