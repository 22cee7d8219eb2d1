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
    explicit FormTest(int left = 30, int top = 30, int width = 300, int height = 200) : place_{left, top, width, height}
    {
    }
    void SetUp() override
    {
        form = FramelessForm("TFrameworkTestForm", place_[0], place_[1], place_[2], place_[3]);
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
    // A control of kind T owned by the form, on parent (the form unless given).
    template <typename T> T* Add(WinControl* parent = nullptr)
    {
        auto* c = new T(form.get());
        c->SetParent(parent ? parent : form.get());
        return c;
    }
    template <typename T> T* Add(int left, int top, int width, int height, WinControl* parent = nullptr)
    {
        T* c = Add<T>(parent);
        c->SetBounds(left, top, width, height);
        return c;
    }

    std::unique_ptr<Form> form;
    std::vector<std::string> log;

private:
    int place_[4];
};

} // namespace klarvo::test
