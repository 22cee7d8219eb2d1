#pragma once

#include "framework/window/Application.h"
#include "framework/window/Form.h"
#include "support/Pump.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace klarvo::test {

inline LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

// A frameless form of its own window class at a fixed place, not yet shown.
inline std::unique_ptr<Form> FramelessForm(const std::string& className, int x, int y, int width, int height)
{
    auto form = std::make_unique<Form>(nullptr, className);
    form->SetBorderStyle(BorderStyle::None);
    form->SetBounds(x, y, width, height);
    return form;
}

// A shown frameless form at a fixed place, freed after the test.
class FormTest : public testing::Test {
protected:
    void SetUp() override
    {
        form = FramelessForm("TFrameworkTestForm", 30, 30, 300, 200);
        form->Show();
        Pump();
    }
    void TearDown() override
    {
        App().SetMessageBoxFunction(nullptr);
        form.reset();
        Pump();
    }
    HWND Hwnd() { return form->Handle(); }
    void Send(UINT msg, WPARAM w, LPARAM l) { SendMessageA(Hwnd(), msg, w, l); }

    std::unique_ptr<Form> form;
    std::vector<std::string> log;
};

} // namespace klarvo::test
