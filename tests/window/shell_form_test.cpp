// The main window's description, loaded with the real control classes into
// a plain form: every control with its class, parent, place, caption and
// the stored properties the window relies on; nothing else; the handlers
// named; and the run-time geometry putting every page under the chrome.

#include <gtest/gtest.h>

#include "app/Shell.h"
#include "controls/GradBtn.h"
#include "controls/IACheckControl.h"
#include "controls/NDigitEdit.h"
#include "framework/window/Form.h"
#include "framework/loader/FormLoader.h"
#include "framework/loader/FormParser.h"
#include "framework/standard/StdCtrls.h"
#include "framework/standard/StdWindows.h"
#include "framework/window/Timer.h"
#include "framework_support.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <typeindex>
#include <vector>

using namespace klarvo;
using namespace klarvo::test;

namespace {

struct LoadedShell {
    std::unique_ptr<Form> form = std::make_unique<Form>(nullptr, "TShellFormTest");
    std::vector<std::string> bindings; // "component.Event=handler"

    LoadedShell()
    {
        FormLoader loader(ShellFormClasses(),
                          [this](Component& c, const std::string& event, const std::string& handler) {
                              bindings.push_back(c.Name() + "." + event + "=" + handler);
                              return nullptr;
                          });
        loader.Load(FormResource("SHELL_FORM"), *form);
    }

    template <typename T> T& Get(const std::string& name) const { return Need<T>(*form, name); }
};

class ShellForm : public testing::Test {
protected:
    static void SetUpTestSuite() { shell = new LoadedShell; }
    static void TearDownTestSuite()
    {
        delete shell;
        shell = nullptr;
        Pump();
    }
    template <typename T> static T& Get(const std::string& name) { return shell->Get<T>(name); }
    static LoadedShell* shell;
};
LoadedShell* ShellForm::shell = nullptr;

// ---- every control -----------------------------------------------------------

// One object of the description with the one that holds it.
struct Described {
    const FormObject* object;
    const char* parent;
};

// Every object of the program's own description below the window, in
// written order: the place and caption each must get come from there alone.
const std::vector<Described>& Description()
{
    static const std::unique_ptr<FormObject> top = ParseForm(FormResource(kShellFormResource));
    static const std::vector<Described> rows = [] {
        std::vector<Described> all;
        auto walk = [&all](auto& self, const FormObject& parent) -> void {
            for (const auto& child : parent.children) {
                all.push_back({child.get(), parent.name.c_str()});
                self(self, *child);
            }
        };
        walk(walk, *top);
        return all;
    }();
    return rows;
}

const FormValue* Written(const FormObject& o, const char* property)
{
    for (const auto& [name, value] : o.properties) {
        if (name == property) {
            return &value;
        }
    }
    return nullptr;
}

#define T(cls) std::type_index(typeid(cls))

// The framework's class behind each class name the description uses.
const std::map<std::string, std::type_index> kClasses = {
    {"TBevel", T(Bevel)},
    {"TDirectoryEdit", T(DirectoryEdit)},
    {"TEdit", T(Edit)},
    {"TFileNameEdit", T(FileNameEdit)},
    {"TGradBtn", T(TGradBtn)},
    {"TIACheckControl", T(TIACheckControl)},
    {"TImage", T(Image)},
    {"TLabel", T(Label)},
    {"TMemo", T(Memo)},
    {"TNDigitEdit", T(TNDigitEdit)},
    {"TPageControl", T(PageControl)},
    {"TPaintBox", T(PaintBox)},
    {"TPanel", T(Panel)},
    {"TProgressBar", T(ProgressBar)},
    {"TShadowLabel", T(ShadowLabel)},
    {"TSpeedButton", T(SpeedButton)},
    {"TTabSheet", T(TabSheet)},
    {"TTimer", T(Timer)},
    {"TUpDown", T(UpDown)},
};

#undef T

const char* const kPages[] = {"tsinfo", "tsfastram", "tsram", "tshdd", "tsopt", "tshelp", "tsabout"};

// The window's face: Times New Roman at each control's own height and style.
void ExpectTimes(const Font& font, int height, FontStyles style = fsBold)
{
    EXPECT_EQ(font.Name(), "Times New Roman");
    EXPECT_EQ(font.Height(), height);
    EXPECT_EQ(font.Style(), style);
}

TEST_F(ShellForm, EveryControlHasItsClassParentPlaceCaptionAndFont)
{
    for (const auto& [o, parent] : Description()) {
        SCOPED_TRACE(o->name + ": " + o->className + " (line " + std::to_string(o->line) + ")");
        Component* c = shell->form->FindComponent(o->name);
        ASSERT_NE(c, nullptr);
        ASSERT_TRUE(kClasses.count(o->className));
        EXPECT_EQ(std::type_index(typeid(*c)), kClasses.at(o->className));
        auto* control = dynamic_cast<Control*>(c);
        if (!control) {
            continue;
        }
        ASSERT_NE(control->Parent(), nullptr);
        EXPECT_EQ(control->Parent()->Name(), parent);
        const std::pair<const char*, int (Control::*)() const> place[] = {
            {"Left", &Control::Left}, {"Top", &Control::Top}, {"Width", &Control::Width}, {"Height", &Control::Height}};
        for (const auto& [property, read] : place) {
            if (const FormValue* v = Written(*o, property)) {
                EXPECT_EQ((control->*read)(), v->AsInt()) << property;
            }
        }
        // The font as written, whatever a scheme set before it.
        const Font& font = control->GetFont();
        if (const FormValue* v = Written(*o, "Font.Color")) {
            EXPECT_EQ(font.GetColor(), ColorValue(*v));
        }
        if (const FormValue* v = Written(*o, "Font.Height")) {
            EXPECT_EQ(font.Height(), v->AsInt());
        }
        if (const FormValue* v = Written(*o, "Font.Name")) {
            EXPECT_EQ(font.Name(), v->AsString());
        }
        if (const FormValue* v = Written(*o, "Font.Style")) {
            EXPECT_EQ(font.Style(), FontStylesValue(*v));
        }
        const FormValue* caption = Written(*o, "Caption");
        caption = caption ? caption : Written(*o, "Text");
        if (!caption) {
            continue;
        }
        if (auto* check = dynamic_cast<TIACheckControl*>(c)) {
            // One line of text; the window text ends with its line break.
            EXPECT_EQ(check->TextLines().Lines(), std::vector<std::string>{caption->AsString()});
            EXPECT_EQ(check->Text(), caption->AsString() + "\r\n");
        } else {
            EXPECT_EQ(control->Text(), caption->AsString());
        }
    }
}

TEST_F(ShellForm, HoldsTheDescribedComponentsAndNothingElse)
{
    std::set<std::string> described;
    for (const auto& [o, parent] : Description()) {
        EXPECT_TRUE(described.insert(o->name).second) << o->name << " twice in the description";
    }
    EXPECT_EQ(described.size(), 145u) << "every object but the window";
    EXPECT_TRUE(described.count("tmrefresh") && described.count("tmlock") && described.count("tmhide"));
    std::set<std::string> made;
    for (int i = 0; i < shell->form->ComponentCount(); ++i) {
        EXPECT_TRUE(made.insert(shell->form->Components(i)->Name()).second) << shell->form->Components(i)->Name();
    }
    EXPECT_EQ(made, described);
}

TEST_F(ShellForm, PagesComeInPageNumberOrderEachWithItsPaintBoxFirst)
{
    auto& pc = Get<PageControl>("pc");
    ASSERT_EQ(pc.PageCount(), 7);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(kPages[i]);
        EXPECT_EQ(pc.Pages(i)->Name(), kPages[i]);
        ASSERT_GT(pc.Pages(i)->ControlCount(), 0);
        EXPECT_EQ(pc.Pages(i)->Controls(0)->Name(), "pb" + std::to_string(i + 1));
    }
    EXPECT_FALSE(pc.TabStop());
}

TEST_F(ShellForm, WindowIsFramelessBoldTimesCentredOnTheScreen)
{
    Form& f = *shell->form;
    EXPECT_EQ(f.Name(), "fmshell");
    EXPECT_EQ(f.Width(), 527);
    EXPECT_EQ(f.GetBorderStyle(), BorderStyle::None);
    EXPECT_EQ(f.Position(), FormPosition::ScreenCenter);
    EXPECT_EQ(f.GetColor(), clBtnFace);
    ExpectTimes(f.GetFont(), 15);
    EXPECT_EQ(Get<Panel>("pncap").GetColor(), clNavy);
    EXPECT_EQ(Get<Image>("imcap").GetPicture().Width(), 517);
    EXPECT_EQ(Get<Image>("imcap").GetPicture().Height(), 15);
    EXPECT_TRUE(Get<Image>("imcap").Center());
    EXPECT_EQ(Get<Image>("imdef").GetPicture().Width(), 128);
    EXPECT_EQ(Get<Image>("imdef").GetPicture().Height(), 128);
    for (const char* hidden : {"imfr", "imback", "imdef", "mmtext"}) {
        EXPECT_FALSE(dynamic_cast<Control&>(*f.FindComponent(hidden)).Visible()) << hidden;
    }
}

// ---- stored properties -------------------------------------------------------

TEST_F(ShellForm, CommandButtonsAreAluminumWithTheirOwnBoldTimesFont)
{
    const std::vector<std::string> buttons = {
        "nb1",     "nb2",          "nb3",        "nb4",      "nb5",    "nb6",        "nb7",       "nbapply",
        "nbclear", "nbdeffastram", "nbramstart", "nbdefram", "nbtemp", "nbinternet", "nbhistory", "nbcookies",
        "nbdir",   "nbdefhdd",     "nbdefopt",   "nbback",   "nbnext", "nbind"};
    for (const std::string& name : buttons) {
        SCOPED_TRACE(name);
        auto& b = Get<TGradBtn>(name);
        const bool pageButton = name.size() == 3;
        EXPECT_EQ(b.Presets(), TPreset::Aluminum);
        EXPECT_FALSE(b.SwapColors());
        EXPECT_FALSE(b.ShowFocus());
        EXPECT_FALSE(b.DownLock());
        EXPECT_EQ(b.GradientStyle(), gsVertical); // the scheme's, not overridden
        ExpectTimes(b.GetFont(), 13, pageButton ? FontStyles(fsBold | fsItalic) : FontStyles(fsBold));
        EXPECT_EQ(b.GetFont().GetColor(), clBlack);
        EXPECT_EQ(b.Cursor(), crHandPoint);
    }
    for (const char* name : {"nbminimize", "nbclose"}) {
        SCOPED_TRACE(name);
        auto& b = Get<TGradBtn>(name);
        EXPECT_EQ(b.Presets(), TPreset::None);
        EXPECT_EQ(b.GradientStyle(), gsHorizontal);
        EXPECT_EQ(b.BeginColor(), Rgb(192, 192, 192));
        EXPECT_EQ(b.EndColor(), Rgb(85, 85, 85));
        EXPECT_FALSE(b.SwapColors());
        EXPECT_FALSE(b.ShowFocus());
        EXPECT_EQ(b.Cursor(), crHandPoint);
        EXPECT_TRUE(b.ShowHint());
    }
    EXPECT_EQ(Get<TGradBtn>("nbminimize").Hint(), "Minimize");
    EXPECT_EQ(Get<TGradBtn>("nbclose").Hint(), "Close");
    EXPECT_EQ(Get<PaintBox>("pbfr").Hint(), "Free RAM");
    EXPECT_TRUE(Get<PaintBox>("pbfr").ShowHint());
}

TEST_F(ShellForm, DigitEditsAreBoundedToZeroAndFilledByTheirUpDowns)
{
    int pairs = 0;
    for (const auto& [o, parent] : Description()) {
        if (o->className != "TUpDown") {
            continue;
        }
        ++pairs;
        SCOPED_TRACE(o->name);
        auto written = [o](const char* property, int unwritten) {
            const FormValue* v = Written(*o, property);
            return v ? v->AsInt() : unwritten;
        };
        auto& ud = Get<UpDown>(o->name);
        ASSERT_TRUE(Written(*o, "Associate"));
        auto& nd = Get<TNDigitEdit>(Written(*o, "Associate")->AsIdent());
        const int position = written("Position", -1);
        EXPECT_EQ(nd.MaxValue(), 0);
        EXPECT_TRUE(nd.ReadOnly());
        EXPECT_EQ(nd.GetColor(), clBtnFace);
        ExpectTimes(nd.GetFont(), 13);
        EXPECT_EQ(ud.Associate(), &nd);
        EXPECT_EQ(ud.Min(), written("Min", -1));
        EXPECT_EQ(ud.Max(), written("Max", -1));
        EXPECT_EQ(ud.Increment(), written("Increment", 1));
        EXPECT_EQ(ud.Position(), position);
        EXPECT_FALSE(ud.Wrap());
        // The bound cut the stored value to 0; the up-down wrote its number after.
        EXPECT_EQ(nd.Value(), position);
    }
    EXPECT_EQ(pairs, 7);
}

TEST_F(ShellForm, CheckControlsAreLensFieldsInBoldTimesWithTheirStoredState)
{
    int count = 0;
    for (int i = 0; i < shell->form->ComponentCount(); ++i) {
        count += dynamic_cast<TIACheckControl*>(shell->form->Components(i)) != nullptr;
    }
    EXPECT_EQ(count, 18);
    for (const auto& [o, parent] : Description()) {
        if (o->className != "TIACheckControl") {
            continue;
        }
        SCOPED_TRACE(o->name);
        const FormValue* type = Written(*o, "ControlType");
        const FormValue* checked = Written(*o, "Checked");
        const bool radio = type && type->AsIdent() == "iacctSelect";
        auto& c = Get<TIACheckControl>(o->name);
        EXPECT_EQ(c.ControlType(), radio ? iacctSelect : iacctCheck);
        EXPECT_EQ(c.Checked(), checked && checked->AsBool());
        EXPECT_EQ(c.GroupIndex(), 0u);
        EXPECT_EQ(c.Style(), iaccsStyle2);
        EXPECT_FALSE(c.ShowFocus());
        EXPECT_FALSE(c.AutoSize());
        EXPECT_EQ(c.GetColor(), clBtnFace);
        EXPECT_EQ(c.CheckFieldColor1(), Rgb(128, 128, 128));
        EXPECT_EQ(c.CheckFieldColor2(), radio ? Rgb(255, 255, 0) : Rgb(0, 255, 0));
        ExpectTimes(c.GetFont(), 16);
        EXPECT_EQ(c.GetFont().GetColor(), radio ? Rgb(0, 0, 128) : Rgb(0, 0, 255));
        EXPECT_EQ(c.Cursor(), crHandPoint);
        EXPECT_TRUE(c.TabStop());
        // Left at their defaults.
        EXPECT_TRUE(c.Transparent());
        EXPECT_EQ(c.TextAngle(), 0);
        EXPECT_EQ(c.TextAlign(), iaccthaLeft);
        EXPECT_EQ(c.TextFieldHorizontalAlign(), iaccthaLeft);
        EXPECT_EQ(c.TextFieldVerticalAlign(), iacctvaTop);
        EXPECT_EQ(c.GapTextToImage(), 4);
        EXPECT_EQ(c.Text3DStyle(), iscct3dsSimple);
    }
}

TEST_F(ShellForm, LabelsAreTransparentWithTheirShadows)
{
    int labels = 0;
    for (const auto& [o, parent] : Description()) {
        if (o->className == "TLabel" || o->className == "TShadowLabel") {
            ++labels;
            EXPECT_TRUE(Get<Label>(o->name).Transparent()) << o->name;
        }
    }
    EXPECT_EQ(labels, 36);
    // Enhanced labels: a highlight shadow, but black on the title and none on "Alt +".
    EXPECT_EQ(Get<ShadowLabel>("RxLabel1").ShadowColor(), clBtnHighlight);
    EXPECT_EQ(Get<ShadowLabel>("RxLabel5").ShadowColor(), clBtnHighlight);
    EXPECT_EQ(Get<ShadowLabel>("lbver").ShadowColor(), clBlack);
    for (const char* name : {"lbhot1", "lbhot2", "lbhot3"}) {
        EXPECT_EQ(Get<ShadowLabel>(name).ShadowSize(), 0) << name;
    }
    EXPECT_EQ(Get<ShadowLabel>("RxLabel1").ShadowSize(), 1);
    // Fixed-size labels keep their place whatever their text.
    for (const char* name : {"lbcap", "lbhelp", "lbver", "lbupdate", "lbmail"}) {
        EXPECT_FALSE(Get<Label>(name).AutoSize()) << name;
    }
    EXPECT_TRUE(Get<Label>("lbhelp").WordWrap());
    EXPECT_EQ(Get<Label>("lbcap").GetAlignment(), Alignment::Center);
    EXPECT_EQ(Get<Label>("lbver").GetAlignment(), Alignment::Center);
    EXPECT_FALSE(Get<Label>("lbver").ShowAccelChar());
    EXPECT_EQ(Get<Label>("lbupdate").Cursor(), crHandPoint);
    EXPECT_EQ(Get<Label>("lbmail").Cursor(), crHandPoint);
}

TEST_F(ShellForm, PercentButtonsFormOneGroupWithFiftyDown)
{
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(n);
        auto& sb = Get<SpeedButton>("sb" + std::to_string(n));
        EXPECT_EQ(sb.GroupIndex(), 1);
        EXPECT_TRUE(sb.Flat());
        EXPECT_EQ(sb.Down(), n == 5);
        EXPECT_EQ(sb.Cursor(), crHandPoint);
    }
}

TEST_F(ShellForm, EditsBarsAndTimers)
{
    for (auto [name, letter] : {std::pair{"edhot1", "Q"}, {"edhot2", "W"}, {"edhot3", "S"}}) {
        EXPECT_EQ(Get<Edit>(name).MaxLength(), 1) << name;
        EXPECT_EQ(Get<Edit>(name).Text(), letter) << name;
    }
    EXPECT_EQ(Get<FileNameEdit>("fesound").Filter(), "*.WAV|*.WAV");
    EXPECT_EQ(Get<FileNameEdit>("fewall").Filter(), "jpg, bmp|*.jpg; *.bmp");
    for (const char* typingOff : {"fesound", "fewall", "dedir"}) {
        EXPECT_TRUE(Get<Edit>(typingOff).ReadOnly()) << typingOff;
    }
    // The tab row has a font of its own; the pages' controls have the window's.
    for (const char* name : {"edhot1", "edhot2", "edhot3", "fesound", "fewall", "dedir", "mmtext"}) {
        SCOPED_TRACE(name);
        ExpectTimes(Get<Edit>(name).GetFont(), 15);
    }
    for (const char* bar : {"pball", "pbfree", "pbram"}) {
        SCOPED_TRACE(bar);
        EXPECT_EQ(Get<ProgressBar>(bar).Min(), 0);
        EXPECT_EQ(Get<ProgressBar>(bar).Max(), 100);
        EXPECT_EQ(Get<ProgressBar>(bar).Position(), 0);
    }
    EXPECT_TRUE(Get<ProgressBar>("pball").Smooth());
    EXPECT_TRUE(Get<ProgressBar>("pbfree").Smooth());

    struct Tick {
        const char* name;
        unsigned interval;
        bool enabled;
    };
    for (const Tick& t : {Tick{"tmrefresh", 500, true}, Tick{"tmlock", 3000, false}, Tick{"tmhide", 1500, false}}) {
        EXPECT_EQ(Get<Timer>(t.name).Interval(), t.interval) << t.name;
        EXPECT_EQ(Get<Timer>(t.name).Enabled(), t.enabled) << t.name;
    }
}

// ---- handlers ------------------------------------------------------------------

std::vector<std::string> ExpectedBindings()
{
    std::vector<std::string> b = {
        "fmshell.OnCreate=FormCreate",        "fmshell.OnShow=FormShow",      "pc.OnChange=pcChange",
        "imcap.OnMouseDown=imcapMouseDown",   "pbfr.OnPaint=pbfrPaint",       "rbfast.OnClick=rbfullClick",
        "ndminproc.OnChange=ndminprocChange", "ndfree.OnChange=ndfreeChange", "dedir.OnClick=cbtempClick",
        "fesound.OnChange=cbtempClick",       "fewall.OnChange=fewallChange"};
    // Without a shared handler, an event goes to one named after its control.
    auto bind = [&b](const std::vector<std::string>& names, const std::string& event, const std::string& shared = "") {
        for (const std::string& name : names) {
            b.push_back(name + "." + event + "=" + (shared.empty() ? name + event.substr(2) : shared));
        }
    };
    bind({"nbminimize", "nbclose",  "nbapply",   "nbclear", "cbauto",     "rbfull",    "nbdeffastram",
          "nbramstart", "nbdefram", "cbdir",     "nbtemp",  "nbinternet", "nbhistory", "nbcookies",
          "nbdir",      "nbdefhdd", "cbautorun", "cbsound", "cbwall",     "cbhot1",    "cbhot2",
          "cbhot3",     "nbdefopt", "nbback",    "nbnext",  "nbind",      "lbupdate",  "lbmail"},
         "OnClick");
    bind({"tmrefresh", "tmlock", "tmhide"}, "OnTimer");
    bind({std::begin(kPages), std::end(kPages)}, "OnShow");
    bind({"pb1", "pb2", "pb3", "pb4", "pb5", "pb6", "pb7"}, "OnPaint", "pb1Paint");
    bind({"nb1", "nb2", "nb3", "nb4", "nb5", "nb6", "nb7"}, "OnMouseDown", "nb1MouseDown");
    bind({"udevery", "udminproc", "udfree", "udmaxtry", "udpopup1", "udpopup2", "udpopup3"}, "OnClick",
         "udminprocClick");
    const std::vector<std::string> percent = {"sb1", "sb2", "sb3", "sb4", "sb5", "sb6", "sb7", "sb8", "sb9", "sb10"};
    bind(percent, "OnClick", "sb1Click");
    bind(percent, "OnMouseMove", "sb1MouseMove");
    bind({"cbtemp", "cbinternet", "cbhistory", "cbcookies", "cbsubdir", "cbclearselect", "cbnorunshell", "cbtraymem"},
         "OnClick", "cbtempClick");
    bind({"edhot1", "edhot2", "edhot3"}, "OnChange", "edhot1Change");
    bind({"edhot1", "edhot2", "edhot3"}, "OnKeyPress", "edhot1KeyPress");
    bind({"lbupdate", "lbmail"}, "OnMouseEnter", "lbbuyMouseEnter");
    bind({"lbupdate", "lbmail"}, "OnMouseLeave", "lbbuyMouseLeave");
    return b;
}

TEST_F(ShellForm, EveryEventNamesItsHandlerAndNoOtherEventIsSet)
{
    std::vector<std::string> expected = ExpectedBindings();
    std::vector<std::string> bound = shell->bindings;
    std::sort(expected.begin(), expected.end());
    std::sort(bound.begin(), bound.end());
    EXPECT_EQ(bound, expected);
}

// A handler the description names is a row of the window's or a page's
// table, so a reader finds it in one step.
TEST_F(ShellForm, EveryHandlerTheDescriptionNamesIsARowOfATable)
{
    std::vector<std::string> rows = PageSet::HandlerNames();
    AddRowNames(Tfmshell::kHandlerRows, rows);
    const std::set<std::string> known(rows.begin(), rows.end());
    EXPECT_EQ(known.size(), rows.size()) << "a name stands in two tables";
    for (const std::string& binding : shell->bindings) {
        EXPECT_TRUE(known.count(binding.substr(binding.find('=') + 1))) << binding;
    }
}

// ---- the window as the user sees it ---------------------------------------------

TEST(ShellFormGeometry, EveryPageCoversTheWindowBehindTheChrome)
{
    LoadedShell s;
    // The window's construction moves these; the description keeps the design values.
    s.Get<PageControl>("pc").SetBounds(-4, -30, 535, 362);
    s.form->SetHeight(328);
    s.Get<TGradBtn>("nbapply").SetTop(299);
    s.form->SetBounds(0, 0, s.form->Width(), s.form->Height());
    s.form->Show();
    Pump();
    auto& pc = s.Get<PageControl>("pc");
    for (int i = 0; i < pc.PageCount(); ++i) {
        SCOPED_TRACE(pc.Pages(i)->Name());
        TabSheet& page = *pc.Pages(i);
        EXPECT_EQ(page.OriginIn(s.form.get()), (Point{0, 0}));
        EXPECT_EQ(page.Width(), 527);
        EXPECT_EQ(page.Height(), 328);
    }

    // The caption strip, the page-button row and Apply lie over the page.
    HWND window = s.form->Handle();
    auto topAt = [window](int x, int y) {
        POINT p{x, y};
        return ChildWindowFromPointEx(window, p, CWP_SKIPINVISIBLE);
    };
    EXPECT_EQ(topAt(100, 10), s.Get<Panel>("pncap").Handle());
    EXPECT_EQ(topAt(100, 30), s.Get<Panel>("pntop").Handle());
    EXPECT_EQ(topAt(130, 305), s.Get<TGradBtn>("nbapply").Handle());
    EXPECT_EQ(topAt(1, 100), pc.Handle());
}

} // namespace
