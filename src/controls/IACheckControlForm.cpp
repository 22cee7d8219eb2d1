#include "controls/IACheckControl.h"

#include "framework/loader/FormLoader.h"

namespace klarvo {

namespace {

TIACheckControlTextHAlign HAlign(const FormValue& v)
{
    return EnumValue<TIACheckControlTextHAlign>(v, {"iaccthaLeft", "iaccthaRight", "iaccthaCenter"});
}

} // namespace

void RegisterIACheckControl(FormClasses& fc)
{
    using C = TIACheckControl;
    using V = const FormValue&;
    const char* const name = "TIACheckControl";
    fc.Register(name, "TCustomControl", [](Component* owner) -> Component* { return new TIACheckControl(owner); });
    // Declaration order, which is the order a stored form lists them in.
    fc.Property<C>(name, "ControlType", [](C& c, V v) {
        c.SetControlType(EnumValue<TIACheckControlType>(v, {"iacctCheck", "iacctSelect"}));
    });
    fc.Property<C>(name, "TextAngle", [](C& c, V v) { c.SetTextAngle(v.AsInt()); });
    fc.Property<C>(name, "TextLines.Strings", [](C& c, V v) {
        CheckTextLines lines;
        for (const std::string& line : v.items) {
            lines.Add(line);
        }
        c.SetTextLines(&lines);
    });
    fc.Property<C>(name, "GroupIndex", [](C& c, V v) { c.SetGroupIndex(static_cast<std::uint32_t>(v.integer)); });
    fc.Property<C>(name, "Checked", [](C& c, V v) { c.SetChecked(v.AsBool()); });
    fc.Property<C>(name, "Style", [](C& c, V v) {
        c.SetStyle(EnumValue<TIACheckControlStyle>(
            v, {"iaccsStyle1", "iaccsBitmap", "iaccsStyle2", "iaccsStyle1Small", "iaccsStyle3"}));
    });
    fc.AddReference(name, "ImageList", [](Component& c, Component* list) {
        dynamic_cast<C&>(c).SetImageList(dynamic_cast<ImageList*>(list));
    });
    fc.Property<C>(name, "TextAlign", [](C& c, V v) { c.SetTextAlign(HAlign(v)); });
    fc.Property<C>(name, "TextFieldVerticalAlign", [](C& c, V v) {
        c.SetTextFieldVerticalAlign(
            EnumValue<TIACheckControlTextVAlign>(v, {"iacctvaTop", "iacctvaBottom", "iacctvaCenter"}));
    });
    fc.Property<C>(name, "TextFieldHorizontalAlign", [](C& c, V v) { c.SetTextFieldHorizontalAlign(HAlign(v)); });
    fc.Property<C>(name, "CheckFieldColor1", [](C& c, V v) { c.SetCheckFieldColor1(ColorValue(v)); });
    fc.Property<C>(name, "CheckFieldColor2", [](C& c, V v) { c.SetCheckFieldColor2(ColorValue(v)); });
    fc.Property<C>(name, "GapTextToImage",
                   [](C& c, V v) { c.SetGapTextToImage(static_cast<std::uint8_t>(v.AsInt())); });
    fc.Property<C>(name, "Transparent", [](C& c, V v) { c.SetTransparent(v.AsBool()); });
    fc.Property<C>(name, "ShowFocus", [](C& c, V v) { c.SetShowFocus(v.AsBool()); });
    fc.Property<C>(name, "Text3DStyle", [](C& c, V v) {
        c.SetText3DStyle(EnumValue<TIACheckControlText3DStyle>(v, {"iscct3dsSimple", "iscct3dsUp", "iscct3dsDown"}));
    });
    fc.Property<C>(name, "AutoSize", [](C& c, V v) { c.SetAutoSize(v.AsBool()); });
}

} // namespace klarvo
