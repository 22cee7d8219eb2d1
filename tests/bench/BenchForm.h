#pragma once
// A bare window for the benchmarks that paint, and their clock.

#include <memory>

#include "framework/window/Application.h"
#include "framework/window/Form.h"
#include "support/Timing.h"

namespace klarvo::bench {

// A borderless window of its own class, not yet shown.
inline std::unique_ptr<Form> ShownForm(const char* windowClass, int left, int top, int width, int height)
{
    auto form = std::make_unique<Form>(nullptr, windowClass);
    form->SetBorderStyle(BorderStyle::None);
    form->SetBounds(left, top, width, height);
    return form;
}

// Shows the window with what it was given and lets it paint.
inline void ShowAndPaint(Form& form)
{
    form.Show();
    App().ProcessMessages();
}

// The wall time of the least disturbed batch, in microseconds per call.
template <typename F> double BestMicroseconds(int count, F&& f)
{
    return test::BestMicrosecondsPer(count, f).microseconds;
}

} // namespace klarvo::bench
