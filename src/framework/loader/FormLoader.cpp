#include "framework/loader/FormLoader.h"

#include "framework/loader/Lz4.h"

#include <windows.h>

#include <memory>
#include <utility>

namespace klarvo {

// Puts a made control into the control it is nested in (StdFormClasses.cpp).
void PlaceInParent(Component& child, Component& parent);

// ---- values ----------------------------------------------------------------

Color ColorValue(const FormValue& v)
{
    if (v.kind == FormValue::Kind::Integer) {
        return static_cast<Color>(v.integer);
    }
    static constexpr std::pair<const char*, Color> names[] = {
        {"clBlack", clBlack},
        {"clMaroon", clMaroon},
        {"clGreen", clGreen},
        {"clOlive", clOlive},
        {"clNavy", clNavy},
        {"clPurple", clPurple},
        {"clTeal", clTeal},
        {"clGray", clGray},
        {"clSilver", clSilver},
        {"clRed", clRed},
        {"clLime", clLime},
        {"clYellow", clYellow},
        {"clBlue", clBlue},
        {"clFuchsia", clFuchsia},
        {"clAqua", clAqua},
        {"clWhite", clWhite},
        {"clWindow", clWindow},
        {"clWindowText", clWindowText},
        {"clBtnFace", clBtnFace},
        {"clBtnShadow", clBtnShadow},
        {"clGrayText", clGrayText},
        {"clBtnText", clBtnText},
        {"clBtnHighlight", clBtnHighlight},
        {"cl3DDkShadow", cl3DDkShadow},
        {"cl3DLight", cl3DLight},
        {"clInfoText", clInfoText},
        {"clInfoBk", clInfoBk},
        {"clHighlight", clHighlight},
        {"clHighlightText", clHighlightText},
    };
    for (const auto& [name, colour] : names) {
        if (v.AsIdent() == name) {
            return colour;
        }
    }
    throw FormError("unknown colour " + v.text);
}

FontStyles FontStylesValue(const FormValue& v)
{
    if (v.kind != FormValue::Kind::Set) {
        throw FormError("set of font styles expected");
    }
    FontStyles s = 0;
    for (const std::string& item : v.items) {
        if (item == "fsBold") {
            s |= fsBold;
        } else if (item == "fsItalic") {
            s |= fsItalic;
        } else if (item == "fsUnderline") {
            s |= fsUnderline;
        } else if (item == "fsStrikeOut") {
            s |= fsStrikeOut;
        } else {
            throw FormError("unknown font style " + item);
        }
    }
    return s;
}

std::string FormResource(const std::string& name)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC res = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = res ? LoadResource(module, res) : nullptr;
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!data) {
        throw FormError("no resource " + name);
    }
    const std::string_view stored(data, SizeofResource(module, res));
    if (!IsLz4Packed(stored)) {
        return std::string(stored);
    }
    std::string text;
    if (!UnpackLz4(stored, text)) {
        throw FormError("resource " + name + " is damaged");
    }
    return text;
}

// ---- classes ---------------------------------------------------------------

void FormClasses::Register(const char* name, const char* base, ComponentFactory factory)
{
    ClassInfo& info = classes_[name];
    info.base = base;
    info.factory = factory;
}

void FormClasses::AddProperty(const std::string& className, const std::string& property, PropertySetter setter)
{
    classes_[className].properties[property] = std::move(setter);
}

void FormClasses::AddTypedProperty(const char* className, const char* property, SetterCaller caller,
                                   ErasedSetter setter)
{
    AddProperty(className, property,
                [caller, setter](Component& target, const FormValue& value) { caller(setter, target, value); });
}

void FormClasses::AddEventFunction(const char* className, const char* event,
                                   void (*setter)(Component& target, const FormHandler& handler))
{
    AddEvent(className, event, setter);
}

void FormClasses::AddReference(const std::string& className, const std::string& property, ReferenceSetter setter)
{
    classes_[className].references[property] = std::move(setter);
}

void FormClasses::AddEvent(const std::string& className, const std::string& event, EventSetter setter)
{
    classes_[className].events[event] = std::move(setter);
}

const FormClasses::ClassInfo* FormClasses::Find(const std::string& className) const
{
    auto it = classes_.find(className);
    return it == classes_.end() ? nullptr : &it->second;
}

bool FormClasses::Known(const std::string& className) const
{
    const ClassInfo* info = Find(className);
    return info && info->factory;
}

Component* FormClasses::Create(const std::string& className, Component* owner) const
{
    const ClassInfo* info = Find(className);
    if (!info || !info->factory) {
        throw FormError("unknown class " + className);
    }
    return info->factory(owner);
}

template <typename Entry>
const Entry* FormClasses::Inherited(const std::string& className, std::map<std::string, Entry> ClassInfo::*table,
                                    const std::string& name) const
{
    for (const ClassInfo* info = Find(className); info; info = Find(info->base)) {
        auto it = (info->*table).find(name);
        if (it != (info->*table).end()) {
            return &it->second;
        }
        if (info->base.empty()) {
            break;
        }
    }
    return nullptr;
}

const PropertySetter* FormClasses::FindProperty(const std::string& className, const std::string& property) const
{
    return Inherited(className, &ClassInfo::properties, property);
}

const ReferenceSetter* FormClasses::FindReference(const std::string& className, const std::string& property) const
{
    return Inherited(className, &ClassInfo::references, property);
}

const EventSetter* FormClasses::FindEvent(const std::string& className, const std::string& event) const
{
    return Inherited(className, &ClassInfo::events, event);
}

// ---- loading ---------------------------------------------------------------

struct FormLoader::Deferred {
    Component* target;
    const ReferenceSetter* setter;
    std::string referenced;
    int line;
};

FormLoader::FormLoader(const FormClasses& classes, HandlerFinder finder) : classes_(classes), finder_(std::move(finder))
{
}

bool FormLoader::BindEvent(const Object& object, Component& target, const std::string& name, const FormValue& value)
{
    const EventSetter* setter = classes_.FindEvent(object.className, name);
    const bool looksLikeEvent =
        name.size() > 2 && name.compare(0, 2, "On") == 0 && value.kind == FormValue::Kind::Ident;
    if (!setter && !looksLikeEvent) {
        return false;
    }
    if (value.kind != FormValue::Kind::Ident) {
        throw FormError(object.name + "." + name + ": handler name expected");
    }
    if (!finder_) {
        return true;
    }
    const std::string what = object.name + "." + name + " = " + value.text;
    if (!setter) {
        throw FormError(what + ": no such event");
    }
    if (const FormHandler* handler = finder_(target, name, value.text)) {
        try {
            (*setter)(target, *handler);
        } catch (const FormError& e) {
            throw FormError(what + ": " + e.what());
        }
    }
    return true;
}

void FormLoader::Apply(const Object& object, Component& target, std::vector<Deferred>& deferred)
{
    for (const auto& [name, value] : object.properties) {
        if (const PropertySetter* setter = classes_.FindProperty(object.className, name)) {
            try {
                (*setter)(target, value);
            } catch (const FormError& e) {
                throw FormError(object.name + "." + name + ": " + e.what());
            }
        } else if (const ReferenceSetter* ref = classes_.FindReference(object.className, name)) {
            deferred.push_back(Deferred{&target, ref, value.AsIdent(), object.line});
        } else if (!BindEvent(object, target, name, value)) {
            throw FormError(object.name + ": class " + object.className + " has no property " + name);
        }
    }
}

void FormLoader::Build(const Object& object, Component& root, Component* parent, std::vector<Deferred>& deferred,
                       std::vector<Component*>& made)
{
    Component* c = classes_.Create(object.className, &root);
    c->SetName(object.name);
    made.push_back(c);
    if (parent) {
        PlaceInParent(*c, *parent);
    }
    Apply(object, *c, deferred);
    for (const auto& child : object.children) {
        Build(*child, root, c, deferred, made);
    }
}

void FormLoader::Load(const std::string& text, Component& root)
{
    const std::unique_ptr<Object> top = ParseForm(text);
    std::vector<Deferred> deferred;
    std::vector<Component*> made;
    root.SetName(top->name);
    Apply(*top, root, deferred);
    for (const auto& child : top->children) {
        Build(*child, root, &root, deferred, made);
    }
    for (const Deferred& d : deferred) {
        Component* referenced = root.FindComponent(d.referenced);
        if (!referenced) {
            throw FormError("form description line " + std::to_string(d.line) + ": no component " + d.referenced);
        }
        (*d.setter)(*d.target, referenced);
    }
    root.Loaded();
    for (Component* c : made) {
        c->Loaded();
    }
}

} // namespace klarvo
