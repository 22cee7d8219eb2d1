#include <gtest/gtest.h>

#include "framework/loader/FormLoader.h"

#include <string>
#include <vector>

using namespace klarvo;

namespace {

// A component whose setters log what they receive, in order.
class Logged : public Component {
public:
    using Component::Component;
    std::vector<std::string> log;
    Component* buddy = nullptr;
    int loaded = 0;
    NotifyEvent OnChange;
    NotifyEvent OnChildChange;
    MouseEvent OnPress;
    void Loaded() override { ++loaded; }
};

FormClasses TestClasses()
{
    FormClasses fc;
    fc.Register("TLogged", "", [](Component* owner) -> Component* { return new Logged(owner); });
    fc.Register("TLoggedChild", "TLogged", [](Component* owner) -> Component* { return new Logged(owner); });
    for (const char* p : {"Value", "MaxValue", "Caption", "Style", "Data", "Lines", "Color", "Font.Style"}) {
        fc.AddProperty("TLogged", p, [p](Component& c, const FormValue& v) {
            auto& l = dynamic_cast<Logged&>(c);
            std::string s = std::string(p) + "=";
            switch (v.kind) {
            case FormValue::Kind::Integer:
                s += std::to_string(v.integer);
                break;
            case FormValue::Kind::String:
                s += "'" + v.text + "'";
                break;
            case FormValue::Kind::Ident:
                s += v.text;
                break;
            case FormValue::Kind::Set:
            case FormValue::Kind::List:
                for (const auto& i : v.items) {
                    s += "<" + i + ">";
                }
                break;
            case FormValue::Kind::Binary:
                s += std::to_string(v.data.size()) + " bytes";
                break;
            }
            l.log.push_back(s);
        });
    }
    fc.Property<Logged>("TLoggedChild", "Extra",
                        [](Logged& l, const FormValue& v) { l.log.push_back("Extra=" + std::to_string(v.AsInt())); });
    fc.AddReference("TLogged", "Buddy", [](Component& c, Component* other) { static_cast<Logged&>(c).buddy = other; });
    fc.Event<&Logged::OnChange>("TLogged", "OnChange");
    fc.Event<&Logged::OnPress>("TLogged", "OnPress");
    fc.Event<&Logged::OnChildChange>("TLoggedChild", "OnChange");
    return fc;
}

TEST(FormReader, AppliesPropertiesInWrittenOrderWithEveryValueKind)
{
    FormClasses fc = TestClasses();
    Logged root(nullptr);
    FormLoader(fc, nullptr)
        .Load(R"(object top: TLogged
  Value = 15
  MaxValue = -3
  Caption = 'Don''t' + ' run '#34'Klarvo.exe'#34' !'
  Style = gsVertical
  Font.Style = [fsBold, fsItalic]
  Lines = ('one' 'two'
    'three')
  Data = {0A0b
          FF}
  Color = $00FF8000
end
)",
              root);
    EXPECT_EQ(root.Name(), "top");
    EXPECT_EQ(root.log, (std::vector<std::string>{"Value=15", "MaxValue=-3", "Caption='Don't run \"Klarvo.exe\" !'",
                                                  "Style=gsVertical", "Font.Style=<fsBold><fsItalic>",
                                                  "Lines=<one><two><three>", "Data=3 bytes", "Color=16744448"}));
    EXPECT_EQ(root.loaded, 1);
}

TEST(FormReader, NestedObjectsAreOwnedByTheRootAndReferencesMayPointForward)
{
    FormClasses fc = TestClasses();
    Logged root(nullptr);
    std::vector<std::string> events;
    FormLoader(fc,
               [&](Component& c, const std::string& e, const std::string& h) {
                   events.push_back(c.Name() + ":" + e + ":" + h);
                   return nullptr;
               })
        .Load(R"(object top: TLogged
  object first: TLoggedChild
    Buddy = second
    Extra = 7
    Value = 1
    OnChange = firstChange
  end
  object second: TLogged
    object inner: TLogged
    end
  end
end)",
              root);
    ASSERT_EQ(root.ComponentCount(), 3);
    auto* first = static_cast<Logged*>(root.FindComponent("first"));
    auto* second = static_cast<Logged*>(root.FindComponent("second"));
    ASSERT_TRUE(first && second && root.FindComponent("inner"));
    EXPECT_EQ(first->buddy, second);
    EXPECT_EQ(first->log, (std::vector<std::string>{"Extra=7", "Value=1"})); // base-class property found too
    EXPECT_EQ(events, (std::vector<std::string>{"first:OnChange:firstChange"}));
    EXPECT_EQ(first->loaded, 1);
}

TEST(FormReader, EventsAreSetFromTheClassOrItsNearestBaseToAHandlerOfTheirType)
{
    FormClasses fc = TestClasses();
    int changes = 0, presses = 0;
    const FormHandler change = NotifyEvent([&](Component*) { ++changes; });
    const FormHandler press = MouseEvent([&](Component*, MouseButton, ShiftState, int, int) { ++presses; });
    const auto finder = [&](Component&, const std::string&, const std::string& name) -> const FormHandler* {
        return name == "change" ? &change : name == "press" ? &press : nullptr;
    };
    Logged root(nullptr);
    FormLoader(fc, finder)
        .Load(R"(object top: TLogged
  OnChange = change
  object child: TLoggedChild
    OnChange = change
    OnPress = press
  end
  object quiet: TLogged
    OnChange = nobody
  end
end)",
              root);
    auto* child = static_cast<Logged*>(root.FindComponent("child"));
    ASSERT_TRUE(child && root.OnChange && child->OnChildChange && child->OnPress);
    EXPECT_FALSE(child->OnChange) << "the class's own event hides the base's";
    EXPECT_FALSE(static_cast<Logged*>(root.FindComponent("quiet"))->OnChange) << "no handler leaves it unset";
    child->OnChildChange(child);
    child->OnPress(child, MouseButton::Left, 0, 1, 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(presses, 1);

    for (const auto& [text, expected] : std::vector<std::pair<std::string, std::string>>{
             {"object a: TLogged\n  OnPress = change\nend", "a.OnPress = change: the handler does not fit"},
             {"object a: TLogged\n  OnClick = change\nend", "a.OnClick = change: no such event"},
             {"object a: TLogged\n  OnChange = 'change'\nend", "a.OnChange: handler name expected"}}) {
        Logged other(nullptr);
        try {
            FormLoader(fc, finder).Load(text, other);
            ADD_FAILURE() << "no error for: " << text;
        } catch (const FormError& e) {
            EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
        }
    }
}

TEST(FormReader, MistakesAreReportedWithTheirLine)
{
    FormClasses fc = TestClasses();
    struct Case {
        const char* text;
        const char* expected; // part of the message
    } cases[] = {
        {"object a: TLogged\n  Nope = 1\nend", "has no property Nope"},
        {"object a: TLogged\n  object b: TUnknown\n  end\nend", "unknown class TUnknown"},
        {"object a: TLogged\n  Value = 'open\nend", "line 2: unterminated string"},
        {"object a: TLogged\n  Value = 1\n", "'end' expected"},
        {"object a: TLogged\n  Buddy = ghost\nend", "no component ghost"},
        {"object a: TLogged\n  Data = {ABC}\nend", "odd number"},
        {"object a: TLogged\n  Value = 99999999999\nend", "out of range"},
        {"object a: TLogged\nend\nobject b: TLogged\nend", "text after the last"},
        {"thing a: TLogged\nend", "'object' expected"},
    };
    for (const Case& c : cases) {
        Logged root(nullptr);
        try {
            FormLoader(fc, nullptr).Load(c.text, root);
            ADD_FAILURE() << "no error for: " << c.text;
        } catch (const FormError& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
        }
    }
}

TEST(FormReader, ValueHelpersReadColoursAndFontStyles)
{
    FormValue named;
    named.kind = FormValue::Kind::Ident;
    named.text = "clBtnFace";
    EXPECT_EQ(ColorValue(named), clBtnFace);
    named.text = "clNavy";
    EXPECT_EQ(ColorValue(named), Rgb(0, 0, 128));
    named.text = "clPlaid";
    EXPECT_THROW(ColorValue(named), FormError);
    FormValue number;
    number.integer = 0x80000010;
    EXPECT_EQ(ColorValue(number), clBtnShadow);
    FormValue set;
    set.kind = FormValue::Kind::Set;
    set.items = {"fsItalic", "fsBold"};
    EXPECT_EQ(FontStylesValue(set), static_cast<FontStyles>(fsBold | fsItalic));
    set.items = {"fsWide"};
    EXPECT_THROW(FontStylesValue(set), FormError);
    EXPECT_THROW(FontStylesValue(number), FormError);
}

} // namespace
