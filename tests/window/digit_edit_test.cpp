#include <gtest/gtest.h>

#include "controls/NDigitEdit.h"

#include "framework_support.h"

using namespace klarvo;

namespace {

class DigitEditTest : public test::FormTest {
protected:
    DigitEditTest() : FormTest(50, 50, 200, 100) {}
    void SetUp() override
    {
        FormTest::SetUp();
        edit = Add<TNDigitEdit>(10, 10, 60, 23);
        edit->SetFocus();
        test::Pump();
        edit->OnChange = [this](Component*) { ++changes; };
        edit->OnInputError = [this](Component* sender) {
            EXPECT_EQ(sender, edit);
            ++errors;
        };
        edit->OnKeyPress = [this](Component*, char& key) { keys += key == 0 ? '0' : '+'; };
    }

    void SetText(const std::string& text)
    {
        edit->SetText(text);
        edit->SetSel(static_cast<int>(text.size()), 0); // caret at the end
        changes = 0;
    }
    // A typed character as the edit's window receives it.
    void Type(char ch) { SendMessageA(edit->Handle(), WM_CHAR, static_cast<unsigned char>(ch), 0); }
    void Type(const std::string& text)
    {
        for (char ch : text) {
            Type(ch);
        }
    }
    bool AllSelected() const
    {
        return edit->SelStart() == 0 && edit->SelLength() == static_cast<int>(edit->Text().size());
    }

    TNDigitEdit* edit = nullptr;
    int changes = 0;
    int errors = 0;
    std::string keys; // '+' for a character passed on, '0' for one swallowed
};

// A fresh control shows zero, its bound.
TEST_F(DigitEditTest, TypingAboveTheBoundIsUndoneAndSelected)
{
    EXPECT_EQ(edit->Text(), "0");
    EXPECT_EQ(edit->Value(), 0);
    EXPECT_EQ(edit->MaxValue(), 0);
    Type('5');
    EXPECT_EQ(edit->Text(), "0");
    EXPECT_TRUE(AllSelected());
    EXPECT_EQ(changes, 2); // the insertion and the restore
    EXPECT_EQ(errors, 0);

    // Nines stop at the last one below the bound.
    const struct {
        int max;
        const char *text, *typed, *shown;
        bool selected;
    } cases[] = {{100, "10", "0", "100", false}, {100, "100", "0", "100", true}, {1000, "", "9999", "999", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        edit->SetMaxValue(c.max);
        SetText(c.text);
        Type(c.typed);
        EXPECT_EQ(edit->Text(), c.shown);
        EXPECT_EQ(AllSelected(), c.selected);
    }
}

TEST_F(DigitEditTest, RefusedCharactersAreReportedAndSwallowed)
{
    edit->SetMaxValue(1000);
    SetText("12");
    Type("a- \t");
    EXPECT_EQ(edit->Text(), "12");
    EXPECT_EQ(errors, 4);
    EXPECT_EQ(keys, "0000");
    EXPECT_EQ(changes, 0);

    keys.clear();
    Type('\b');
    EXPECT_EQ(edit->Text(), "1");
    Type('\r');
    EXPECT_EQ(errors, 4);
    EXPECT_EQ(keys, "++");
}

TEST_F(DigitEditTest, ValueIsWrittenUnboundedAndCutByALaterBound)
{
    // A stored form sets the value first and the bound second.
    edit->SetValue(15);
    edit->SetMaxValue(0);
    EXPECT_EQ(edit->Text(), "0");
    edit->SetMaxValue(100);
    edit->SetValue(500);
    EXPECT_EQ(edit->Text(), "500");
    edit->SetMaxValue(50);
    EXPECT_EQ(edit->Text(), "50");
    edit->SetValue(-7);
    EXPECT_EQ(edit->Text(), "-7");
    EXPECT_EQ(edit->Value(), -7);
    // A bound above the value leaves the text alone.
    edit->SetMaxValue(10);
    EXPECT_EQ(edit->Text(), "-7");
}

TEST_F(DigitEditTest, ReadOnlyStillFiltersAndReselectsAboveTheBound)
{
    edit->SetReadOnly(true);
    edit->SetMaxValue(10);
    edit->SetValue(50); // as an up-down would
    edit->SetSel(1, 0);
    Type('x');
    EXPECT_EQ(errors, 1);
    EXPECT_TRUE(AllSelected());
    edit->SetSel(1, 0);
    Type('1');
    EXPECT_EQ(edit->Text(), "50");
    EXPECT_TRUE(AllSelected());
}

TEST_F(DigitEditTest, NumbersBeyond32BitsReadAsZeroAndPassTheBound)
{
    edit->SetMaxValue(5);
    SetText("99999999999");
    EXPECT_EQ(edit->Value(), 0);
    Type('9');
    EXPECT_EQ(edit->Text(), "999999999999");
    for (const char* text : {"", "abc", "-", "4x"}) {
        edit->SetText(text);
        EXPECT_EQ(edit->Value(), 0) << text;
    }
}

} // namespace
