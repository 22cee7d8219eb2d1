#include "controls/NDigitEdit.h"

#include "controls/NDigitEditText.h"
#include "framework/loader/FormLoader.h"

#include <string>

namespace klarvo {

TNDigitEdit::TNDigitEdit(Component* owner) : Edit(owner)
{
    SetValue(0);
}

std::int32_t TNDigitEdit::Value() const
{
    return digitedit::ParseValue(Text());
}

void TNDigitEdit::SetValue(std::int32_t value)
{
    SetText(digitedit::FormatValue(value));
}

void TNDigitEdit::SetMaxValue(std::int32_t value)
{
    maxValue_ = value;
    if (Value() > maxValue_) {
        SetValue(maxValue_);
    }
}

LRESULT TNDigitEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_CHAR) {
        return Edit::WndProc(msg, wParam, lParam);
    }

    const std::string saved = Text();
    char ch = static_cast<char>(wParam);
    if (!digitedit::AcceptsTyped(ch)) {
        // Passed on as 0: the key press sees it and the edit never does.
        ch = 0;
        if (OnInputError) {
            OnInputError(this);
        }
    }
    const LRESULT result = Edit::WndProc(msg, static_cast<unsigned char>(ch), lParam);
    if (Value() > maxValue_) {
        SetText(saved);
        SelectAll();
    }
    return result;
}

} // namespace klarvo

namespace klarvo {

void RegisterNDigitEdit(FormClasses& fc)
{
    fc.Register("TNDigitEdit", "TEdit", [](Component* owner) -> Component* { return new TNDigitEdit(owner); });
    fc.Property<TNDigitEdit>("TNDigitEdit", "Value", [](TNDigitEdit& e, const FormValue& v) { e.SetValue(v.AsInt()); });
    fc.Property<TNDigitEdit>("TNDigitEdit", "MaxValue",
                             [](TNDigitEdit& e, const FormValue& v) { e.SetMaxValue(v.AsInt()); });
    fc.Event<&TNDigitEdit::OnInputError>("TNDigitEdit", "OnInputError");
}

} // namespace klarvo
