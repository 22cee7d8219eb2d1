#include <gtest/gtest.h>

#include <string>

#include "controls/GradBtn.h"
#include "controls/NDigitEdit.h"
#include "framework/window/Form.h"
#include "framework/loader/FormLoader.h"

using namespace klarvo;

namespace {

// Stored properties are applied in the order they are listed, which for
// these classes is their declaration order.
const char* const kStored = R"(object fmstored: TForm
  Width = 300
  Height = 200
  object nbapply: TGradBtn
    Left = 10
    Top = 10
    Width = 137
    Height = 21
    BeginColor = clRed
    BtnFrameSize = 4
    SwapColors = False
    GradientStyle = gsHorizCenter
    Presets = Aluminum
    Justification = jLeft
    Caption = '&Apply'
    Font.Color = clRed
    Font.Style = [fsBold, fsItalic]
  end
  object nbclose: TGradBtn
    Width = 19
    Height = 11
    BeginColor = 12632256
    EndColor = 5592405
    GradientStyle = gsHorizontal
    TextStyle = 2
    Presets = 9
    Caption = 'x'
  end
  object ndminproc: TNDigitEdit
    Width = 33
    Height = 23
    Value = 15
    MaxValue = 0
  end
end
)";

TEST(StoredControls, PropertiesApplyInOrderWithPresetsBetween)
{
    FormClasses& classes = StandardFormClasses();
    RegisterGradBtn(classes);
    RegisterNDigitEdit(classes);
    Form form(nullptr, "TStoredControls");
    FormLoader(classes, nullptr).Load(kStored, form);

    auto* apply = dynamic_cast<TGradBtn*>(form.FindComponent("nbapply"));
    ASSERT_NE(apply, nullptr);
    EXPECT_EQ(apply->Parent(), &form);
    // The scheme overwrote what came before it ...
    EXPECT_EQ(apply->BeginColor(), Rgb(206, 206, 206));
    EXPECT_EQ(apply->GradientStyle(), gsVertical);
    // ... but not what it does not list, nor what came after it.
    EXPECT_EQ(apply->BtnFrameSize(), 4);
    EXPECT_FALSE(apply->SwapColors());
    EXPECT_EQ(apply->Justification(), jLeft);
    EXPECT_EQ(apply->GetFont().GetColor(), clRed);
    EXPECT_EQ(apply->GetFont().Style(), FontStyles{fsBold | fsItalic});
    EXPECT_EQ(apply->GetFont().Name(), "Times New Roman");
    EXPECT_EQ(apply->Caption(), "&Apply");

    auto* close = dynamic_cast<TGradBtn*>(form.FindComponent("nbclose"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->BeginColor(), Rgb(192, 192, 192));
    EXPECT_EQ(close->EndColor(), Rgb(85, 85, 85));
    EXPECT_EQ(close->TextStyle(), tsInset);
    EXPECT_EQ(close->Presets(), TPreset::None); // an ordinal outside the schemes is dropped

    auto* nd = dynamic_cast<TNDigitEdit*>(form.FindComponent("ndminproc"));
    ASSERT_NE(nd, nullptr);
    EXPECT_EQ(nd->Text(), "0"); // the bound came after the value
    EXPECT_EQ(nd->MaxValue(), 0);
}

TEST(StoredControls, UnknownNamesAreFormErrors)
{
    FormClasses& classes = StandardFormClasses();
    RegisterGradBtn(classes);
    Form form(nullptr, "TStoredControls");
    EXPECT_THROW(FormLoader(classes, nullptr)
                     .Load("object f: TForm\n object b: TGradBtn\n  GradientStyle = gsDiagonal\n end\nend\n", form),
                 FormError);
}

} // namespace
