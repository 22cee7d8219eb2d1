#include "framework/window/Form.h"
#include "framework/loader/FormLoader.h"
#include "framework/standard/StdCtrls.h"
#include "framework/standard/StdWindows.h"
#include "framework/window/Timer.h"

#include <utility>

namespace klarvo {

void PlaceInParent(Component& child, Component& parent)
{
    if (auto* sheet = dynamic_cast<TabSheet*>(&child)) {
        if (auto* pc = dynamic_cast<PageControl*>(&parent)) {
            sheet->SetPageControl(pc);
            return;
        }
    }
    auto* control = dynamic_cast<Control*>(&child);
    auto* host = dynamic_cast<WinControl*>(&parent);
    if (control && host) {
        control->SetParent(host);
    }
}

namespace {

// A value by its name in a constant table; an unknown name raises FormError.
template <typename E, std::size_t N> E EnumValue(const FormValue& v, const std::pair<const char*, E> (&names)[N])
{
    for (const auto& [name, value] : names) {
        if (v.AsIdent() == name) {
            return value;
        }
    }
    throw FormError("unknown value " + v.text);
}

template <typename T> ComponentFactory Make()
{
    return [](Component* owner) -> Component* { return new T(owner); };
}

void RegisterControls(FormClasses& fc)
{
    fc.Register("TControl", "", nullptr);
    fc.Property<Control>("TControl", "Left", [](Control& c, const FormValue& v) { c.SetLeft(v.AsInt()); });
    fc.Property<Control>("TControl", "Top", [](Control& c, const FormValue& v) { c.SetTop(v.AsInt()); });
    fc.Property<Control>("TControl", "Width", [](Control& c, const FormValue& v) { c.SetWidth(v.AsInt()); });
    fc.Property<Control>("TControl", "Height", [](Control& c, const FormValue& v) { c.SetHeight(v.AsInt()); });
    fc.Property<Control>("TControl", "Visible", [](Control& c, const FormValue& v) { c.SetVisible(v.AsBool()); });
    fc.Property<Control>("TControl", "Enabled", [](Control& c, const FormValue& v) { c.SetEnabled(v.AsBool()); });
    fc.Property<Control>("TControl", "Caption", [](Control& c, const FormValue& v) { c.SetText(v.AsString()); });
    fc.Property<Control>("TControl", "Text", [](Control& c, const FormValue& v) { c.SetText(v.AsString()); });
    fc.Property<Control>("TControl", "Hint", [](Control& c, const FormValue& v) { c.SetHint(v.AsString()); });
    fc.Property<Control>("TControl", "ShowHint", [](Control& c, const FormValue& v) { c.SetShowHint(v.AsBool()); });
    fc.Property<Control>("TControl", "Color", [](Control& c, const FormValue& v) { c.SetColor(ColorValue(v)); });
    fc.Property<Control>("TControl", "ParentColor",
                         [](Control& c, const FormValue& v) { c.SetParentColor(v.AsBool()); });
    fc.Property<Control>("TControl", "ParentFont", [](Control& c, const FormValue& v) { c.SetParentFont(v.AsBool()); });
    fc.Property<Control>("TControl", "Tag", [](Control& c, const FormValue& v) { c.SetTag(v.AsInt()); });
    fc.Property<Control>("TControl", "Cursor", [](Control& c, const FormValue& v) {
        static constexpr std::pair<const char*, int> cursors[] = {
            {"crDefault", crDefault}, {"crArrow", crArrow}, {"crIBeam", crIBeam}, {"crHandPoint", crHandPoint}};
        c.SetCursor(EnumValue(v, cursors));
    });
    fc.Property<Control>("TControl", "Font.Name",
                         [](Control& c, const FormValue& v) { c.GetFont().SetName(v.AsString()); });
    fc.Property<Control>("TControl", "Font.Height",
                         [](Control& c, const FormValue& v) { c.GetFont().SetHeight(v.AsInt()); });
    fc.Property<Control>("TControl", "Font.Size",
                         [](Control& c, const FormValue& v) { c.GetFont().SetSize(v.AsInt()); });
    fc.Property<Control>("TControl", "Font.Style",
                         [](Control& c, const FormValue& v) { c.GetFont().SetStyle(FontStylesValue(v)); });
    fc.Property<Control>("TControl", "Font.Color",
                         [](Control& c, const FormValue& v) { c.GetFont().SetColor(ColorValue(v)); });
    fc.Event<&Control::OnClick>("TControl", "OnClick");
    fc.Event<&Control::OnDblClick>("TControl", "OnDblClick");
    fc.Event<&Control::OnMouseDown>("TControl", "OnMouseDown");
    fc.Event<&Control::OnMouseUp>("TControl", "OnMouseUp");
    fc.Event<&Control::OnMouseMove>("TControl", "OnMouseMove");
    fc.Event<&Control::OnMouseEnter>("TControl", "OnMouseEnter");
    fc.Event<&Control::OnMouseLeave>("TControl", "OnMouseLeave");
    fc.Event<&Control::OnResize>("TControl", "OnResize");

    fc.Register("TWinControl", "TControl", nullptr);
    fc.Property<WinControl>("TWinControl", "TabOrder",
                            [](WinControl& c, const FormValue& v) { c.SetTabOrder(v.AsInt()); });
    fc.Property<WinControl>("TWinControl", "TabStop",
                            [](WinControl& c, const FormValue& v) { c.SetTabStop(v.AsBool()); });
    fc.Event<&WinControl::OnEnter>("TWinControl", "OnEnter");
    fc.Event<&WinControl::OnExit>("TWinControl", "OnExit");
    fc.Event<&WinControl::OnKeyPress>("TWinControl", "OnKeyPress");
    fc.Event<&WinControl::OnKeyDown>("TWinControl", "OnKeyDown");
    fc.Event<&WinControl::OnKeyUp>("TWinControl", "OnKeyUp");
    fc.Register("TCustomControl", "TWinControl", nullptr);
    fc.Register("TGraphicControl", "TControl", nullptr);
}

void RegisterGraphics(FormClasses& fc)
{
    static constexpr std::pair<const char*, Alignment> alignments[] = {
        {"taLeftJustify", Alignment::Left}, {"taRightJustify", Alignment::Right}, {"taCenter", Alignment::Center}};
    fc.Register("TLabel", "TGraphicControl", Make<Label>());
    fc.Property<Label>("TLabel", "Alignment",
                       [](Label& l, const FormValue& v) { l.SetAlignment(EnumValue(v, alignments)); });
    fc.Property<Label>("TLabel", "AutoSize", [](Label& l, const FormValue& v) { l.SetAutoSize(v.AsBool()); });
    fc.Property<Label>("TLabel", "WordWrap", [](Label& l, const FormValue& v) { l.SetWordWrap(v.AsBool()); });
    fc.Property<Label>("TLabel", "Transparent", [](Label& l, const FormValue& v) { l.SetTransparent(v.AsBool()); });
    fc.Property<Label>("TLabel", "ShowAccelChar", [](Label& l, const FormValue& v) { l.SetShowAccelChar(v.AsBool()); });

    fc.Register("TShadowLabel", "TLabel", Make<ShadowLabel>());
    fc.Property<ShadowLabel>("TShadowLabel", "ShadowColor",
                             [](ShadowLabel& l, const FormValue& v) { l.SetShadowColor(ColorValue(v)); });
    fc.Property<ShadowLabel>("TShadowLabel", "ShadowSize",
                             [](ShadowLabel& l, const FormValue& v) { l.SetShadowSize(v.AsInt()); });

    fc.Register("TBevel", "TGraphicControl", Make<Bevel>());
    fc.Property<Bevel>("TBevel", "Shape", [](Bevel& b, const FormValue& v) {
        static constexpr std::pair<const char*, BevelShape> shapes[] = {
            {"bsBox", BevelShape::Box},           {"bsFrame", BevelShape::Frame},
            {"bsTopLine", BevelShape::TopLine},   {"bsBottomLine", BevelShape::BottomLine},
            {"bsLeftLine", BevelShape::LeftLine}, {"bsRightLine", BevelShape::RightLine},
            {"bsSpacer", BevelShape::Spacer}};
        b.SetShape(EnumValue(v, shapes));
    });
    fc.Property<Bevel>("TBevel", "Style", [](Bevel& b, const FormValue& v) {
        static constexpr std::pair<const char*, BevelStyle> styles[] = {{"bsLowered", BevelStyle::Lowered},
                                                                        {"bsRaised", BevelStyle::Raised}};
        b.SetStyle(EnumValue(v, styles));
    });

    fc.Register("TPaintBox", "TGraphicControl", Make<PaintBox>());
    fc.Event<&PaintBox::OnPaint>("TPaintBox", "OnPaint");

    fc.Register("TImage", "TGraphicControl", Make<Image>());
    fc.Property<Image>("TImage", "Center", [](Image& i, const FormValue& v) { i.SetCenter(v.AsBool()); });
    fc.Property<Image>("TImage", "Stretch", [](Image& i, const FormValue& v) { i.SetStretch(v.AsBool()); });
    fc.Property<Image>("TImage", "Transparent", [](Image& i, const FormValue& v) { i.SetTransparent(v.AsBool()); });
    fc.Property<Image>("TImage", "AutoSize", [](Image& i, const FormValue& v) { i.SetAutoSize(v.AsBool()); });
    fc.Property<Image>("TImage", "Picture.BmpResource", [](Image& i, const FormValue& v) {
        i.GetPicture().LoadBmpResource(v.AsString());
        i.PictureChanged();
    });
    fc.Property<Image>("TImage", "Picture.JpegResource", [](Image& i, const FormValue& v) {
        i.GetPicture().LoadJpegResource(v.AsString());
        i.PictureChanged();
    });
    fc.Property<Image>("TImage", "Picture.Jpeg", [](Image& i, const FormValue& v) {
        if (v.kind != FormValue::Kind::Binary) {
            throw FormError("binary data expected");
        }
        i.GetPicture().LoadJpegData(v.data.data(), v.data.size());
        i.PictureChanged();
    });

    fc.Register("TSpeedButton", "TGraphicControl", Make<SpeedButton>());
    fc.Property<SpeedButton>("TSpeedButton", "AllowAllUp",
                             [](SpeedButton& b, const FormValue& v) { b.SetAllowAllUp(v.AsBool()); });
    fc.Property<SpeedButton>("TSpeedButton", "GroupIndex",
                             [](SpeedButton& b, const FormValue& v) { b.SetGroupIndex(v.AsInt()); });
    fc.Property<SpeedButton>("TSpeedButton", "Down", [](SpeedButton& b, const FormValue& v) { b.SetDown(v.AsBool()); });
    fc.Property<SpeedButton>("TSpeedButton", "Flat", [](SpeedButton& b, const FormValue& v) { b.SetFlat(v.AsBool()); });
}

void RegisterEdits(FormClasses& fc)
{
    fc.Register("TEdit", "TWinControl", Make<Edit>());
    fc.Property<Edit>("TEdit", "ReadOnly", [](Edit& e, const FormValue& v) { e.SetReadOnly(v.AsBool()); });
    fc.Property<Edit>("TEdit", "MaxLength", [](Edit& e, const FormValue& v) { e.SetMaxLength(v.AsInt()); });
    fc.Property<Edit>("TEdit", "AutoSelect", [](Edit& e, const FormValue& v) { e.SetAutoSelect(v.AsBool()); });
    fc.Event<&Edit::OnChange>("TEdit", "OnChange");

    fc.Register("TMemo", "TEdit", Make<Memo>());
    fc.Property<Memo>("TMemo", "Lines.Strings", [](Memo& m, const FormValue& v) {
        if (v.kind != FormValue::Kind::List) {
            throw FormError("list of lines expected");
        }
        m.SetLines(v.items);
    });

    fc.Register("TFileNameEdit", "TEdit", Make<FileNameEdit>());
    fc.Property<FileNameEdit>("TFileNameEdit", "Filter",
                              [](FileNameEdit& f, const FormValue& v) { f.SetFilter(v.AsString()); });
    fc.Property<FileNameEdit>("TFileNameEdit", "InitialDir",
                              [](FileNameEdit& f, const FormValue& v) { f.SetInitialDir(v.AsString()); });
    fc.Property<FileNameEdit>("TFileNameEdit", "DialogKind", [](FileNameEdit& f, const FormValue& v) {
        static constexpr std::pair<const char*, FileDialogKind> kinds[] = {
            {"dkOpen", FileDialogKind::Open}, {"dkOpenPicture", FileDialogKind::OpenPicture}};
        f.SetDialogKind(EnumValue(v, kinds));
    });
    fc.Register("TDirectoryEdit", "TEdit", Make<DirectoryEdit>());
    fc.Property<DirectoryEdit>("TDirectoryEdit", "DialogText",
                               [](DirectoryEdit& d, const FormValue& v) { d.SetDialogText(v.AsString()); });
}

void RegisterRanges(FormClasses& fc)
{
    fc.Register("TUpDown", "TWinControl", Make<UpDown>());
    fc.Property<UpDown>("TUpDown", "Min", [](UpDown& u, const FormValue& v) { u.SetMin(v.AsInt()); });
    fc.Property<UpDown>("TUpDown", "Max", [](UpDown& u, const FormValue& v) { u.SetMax(v.AsInt()); });
    fc.Property<UpDown>("TUpDown", "Position", [](UpDown& u, const FormValue& v) { u.SetPosition(v.AsInt()); });
    fc.Property<UpDown>("TUpDown", "Increment", [](UpDown& u, const FormValue& v) { u.SetIncrement(v.AsInt()); });
    fc.Property<UpDown>("TUpDown", "Wrap", [](UpDown& u, const FormValue& v) { u.SetWrap(v.AsBool()); });
    // The up-down's own click (an arrow pressed) hides the control's.
    fc.Event<&UpDown::OnClick>("TUpDown", "OnClick");
    fc.AddReference("TUpDown", "Associate", [](Component& u, Component* edit) {
        auto* w = dynamic_cast<WinControl*>(edit);
        if (!w) {
            throw FormError(edit->Name() + " cannot be an up-down's buddy");
        }
        static_cast<UpDown&>(u).SetAssociate(w);
    });

    fc.Register("TProgressBar", "TWinControl", Make<ProgressBar>());
    fc.Property<ProgressBar>("TProgressBar", "Min",
                             [](ProgressBar& p, const FormValue& v) { p.SetRange(v.AsInt(), p.Max()); });
    fc.Property<ProgressBar>("TProgressBar", "Max",
                             [](ProgressBar& p, const FormValue& v) { p.SetRange(p.Min(), v.AsInt()); });
    fc.Property<ProgressBar>("TProgressBar", "Position",
                             [](ProgressBar& p, const FormValue& v) { p.SetPosition(v.AsInt()); });
    fc.Property<ProgressBar>("TProgressBar", "Smooth",
                             [](ProgressBar& p, const FormValue& v) { p.SetSmooth(v.AsBool()); });
}

void RegisterContainers(FormClasses& fc)
{
    static constexpr std::pair<const char*, PanelBevel> bevels[] = {
        {"bvNone", PanelBevel::None}, {"bvLowered", PanelBevel::Lowered}, {"bvRaised", PanelBevel::Raised}};
    fc.Register("TPanel", "TCustomControl", Make<Panel>());
    fc.Property<Panel>("TPanel", "BevelOuter",
                       [](Panel& p, const FormValue& v) { p.SetBevelOuter(EnumValue(v, bevels)); });
    fc.Property<Panel>("TPanel", "BevelInner",
                       [](Panel& p, const FormValue& v) { p.SetBevelInner(EnumValue(v, bevels)); });
    fc.Property<Panel>("TPanel", "BorderWidth", [](Panel& p, const FormValue& v) { p.SetBorderWidth(v.AsInt()); });
    fc.Property<Panel>("TPanel", "BorderStyle", [](Panel& p, const FormValue& v) {
        static constexpr std::pair<const char*, bool> styles[] = {{"bsNone", false}, {"bsSingle", true}};
        p.SetBorderSingle(EnumValue(v, styles));
    });

    fc.Register("TPageControl", "TWinControl", Make<PageControl>());
    fc.Event<&PageControl::OnChange>("TPageControl", "OnChange");
    fc.AddReference("TPageControl", "ActivePage", [](Component& p, Component* page) {
        auto* sheet = dynamic_cast<TabSheet*>(page);
        if (!sheet) {
            throw FormError(page->Name() + " is not a page");
        }
        static_cast<PageControl&>(p).SetActivePage(sheet);
    });
    fc.Register("TTabSheet", "TCustomControl", Make<TabSheet>());
    fc.Event<&TabSheet::OnShow>("TTabSheet", "OnShow");
    fc.Event<&TabSheet::OnHide>("TTabSheet", "OnHide");
}

void RegisterTimerAndForm(FormClasses& fc)
{
    fc.Register("TTimer", "", Make<Timer>());
    fc.Property<Timer>("TTimer", "Interval", [](Timer& t, const FormValue& v) {
        if (v.AsInt() < 0) {
            throw FormError("negative interval");
        }
        t.SetInterval(static_cast<unsigned>(v.AsInt()));
    });
    fc.Property<Timer>("TTimer", "Enabled", [](Timer& t, const FormValue& v) { t.SetEnabled(v.AsBool()); });
    fc.Event<&Timer::OnTimer>("TTimer", "OnTimer");

    fc.Register("TForm", "TCustomControl", nullptr);
    fc.Event<&Form::OnCreate>("TForm", "OnCreate");
    fc.Event<&Form::OnShow>("TForm", "OnShow");
    fc.Event<&Form::OnDestroy>("TForm", "OnDestroy");
    fc.Event<&Form::OnPaint>("TForm", "OnPaint");
    fc.Property<Form>("TForm", "BorderStyle", [](Form& f, const FormValue& v) {
        static constexpr std::pair<const char*, BorderStyle> styles[] = {{"bsNone", BorderStyle::None},
                                                                         {"bsSingle", BorderStyle::Single},
                                                                         {"bsSizeable", BorderStyle::Sizeable},
                                                                         {"bsDialog", BorderStyle::Dialog},
                                                                         {"bsToolWindow", BorderStyle::ToolWindow}};
        f.SetBorderStyle(EnumValue(v, styles));
    });
    fc.Property<Form>("TForm", "BorderIcons", [](Form& f, const FormValue& v) {
        if (v.kind != FormValue::Kind::Set) {
            throw FormError("set of border icons expected");
        }
        bool sys = false, min = false, max = false;
        for (const std::string& i : v.items) {
            sys |= i == "biSystemMenu";
            min |= i == "biMinimize";
            max |= i == "biMaximize";
        }
        f.SetBorderIcons(sys, min, max);
    });
    fc.Property<Form>("TForm", "Position", [](Form& f, const FormValue& v) {
        static constexpr std::pair<const char*, FormPosition> positions[] = {
            {"poDesigned", FormPosition::Designed}, {"poScreenCenter", FormPosition::ScreenCenter}};
        f.SetPosition(EnumValue(v, positions));
    });
}

} // namespace

FormClasses& StandardFormClasses()
{
    static FormClasses classes = [] {
        FormClasses fc;
        RegisterControls(fc);
        RegisterGraphics(fc);
        RegisterEdits(fc);
        RegisterRanges(fc);
        RegisterContainers(fc);
        RegisterTimerAndForm(fc);
        return fc;
    }();
    return classes;
}

} // namespace klarvo
