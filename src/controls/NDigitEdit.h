#pragma once

// A one-line edit for a whole number. Typing lets through only the digits,
// backspace and carriage return, and never leaves a number above MaxValue;
// text that the owner, an up-down or the clipboard puts in is not checked.

#include "framework/standard/StdWindows.h"

#include <cstdint>

namespace klarvo {

class FormClasses;

class TNDigitEdit : public Edit {
public:
    explicit TNDigitEdit(Component* owner);

    // Fired once for every typed character the filter refuses.
    NotifyEvent OnInputError;

    // The text as a decimal integer, 0 when it is not one; writing replaces
    // the text and is not bounded.
    std::int32_t Value() const;
    void SetValue(std::int32_t value);
    // The largest number typing may produce; a lower bound cuts the value.
    std::int32_t MaxValue() const { return maxValue_; }
    void SetMaxValue(std::int32_t value);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::int32_t maxValue_ = 0;
};

// Registers TNDigitEdit and its properties with a form loader.
void RegisterNDigitEdit(FormClasses& classes);

} // namespace klarvo
