#pragma once

// Builds controls from a form description (text kept in src/resources/) and
// applies each control's properties through its setters, in the order the
// description lists them, which is each class's declaration order.
//
// The description:
//
//   object fmshell: Tfmshell
//     Width = 527
//     Caption = 'Klarvo'#39's shell'
//     Font.Style = [fsBold]
//     OnClick = nbapplyClick
//     object pncap: TPanel
//       ...
//     end
//   end
//
// Values: integers (optionally negative or $hex), strings in single quotes
// with '' and #nn for single characters, identifiers (True, False, enum and
// colour names), sets in [...], lists in (...), and binary data in {hex}.
// Each class registers its properties with a setter and its events with
// the member they set; a name is looked up in the class and then in its
// base classes, so a class's own event hides its base's of that name.
// Events name handlers that the loader's caller finds by name (HandlerFinder).

#include "framework/drawing/Color.h"
#include "framework/window/Component.h"
#include "framework/window/Control.h"
#include "framework/drawing/Font.h"
#include "framework/loader/FormParser.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace klarvo {

using PropertySetter = std::function<void(Component& target, const FormValue& value)>;
// A property naming another component of the form; set after every
// component exists, so it may name one declared later.
using ReferenceSetter = std::function<void(Component& target, Component* referenced)>;
// A plain function: the program registers dozens of classes.
using ComponentFactory = Component* (*)(Component* owner);

// A handler that a description's event can name: one of the event types.
using FormHandler = std::variant<NotifyEvent, MouseEvent, MouseMoveEvent, KeyPressEvent, KeyEvent>;
// Sets an event of the target to a handler; a handler of another type than
// the event's raises FormError.
using EventSetter = std::function<void(Component& target, const FormHandler& handler)>;

class FormClasses {
public:
    // Registers a class: its factory and the class whose properties and events it inherits.
    void Register(const char* name, const char* base, ComponentFactory factory);
    void AddProperty(const std::string& className, const std::string& property, PropertySetter setter);
    // Typed helper: the setter receives the component cast to T. The program
    // carries hundreds of properties, so each registration is a call with
    // plain pointers: one caster per class T, and the strings and the stored
    // callable are made in one place.
    template <typename T>
    void Property(const char* className, const char* property, void (*setter)(T&, const FormValue&))
    {
        AddTypedProperty(className, property, &CallAs<T>, reinterpret_cast<ErasedSetter>(setter));
    }
    void AddReference(const std::string& className, const std::string& property, ReferenceSetter setter);
    void AddEvent(const std::string& className, const std::string& event, EventSetter setter);
    // Typed helper: the event is the member `Slot` of its class
    // (Event<&Control::OnClick>); one plain setter function per event.
    template <auto Slot> void Event(const char* className, const char* event)
    {
        AddEventFunction(className, event, &SetEvent<Slot>);
    }
    bool Known(const std::string& className) const;
    Component* Create(const std::string& className, Component* owner) const;
    const PropertySetter* FindProperty(const std::string& className, const std::string& property) const;
    const ReferenceSetter* FindReference(const std::string& className, const std::string& property) const;
    const EventSetter* FindEvent(const std::string& className, const std::string& event) const;

private:
    using ErasedSetter = void (*)();
    using SetterCaller = void (*)(ErasedSetter setter, Component& target, const FormValue& value);
    template <typename T> static void CallAs(ErasedSetter setter, Component& target, const FormValue& value)
    {
        reinterpret_cast<void (*)(T&, const FormValue&)>(setter)(dynamic_cast<T&>(target), value);
    }
    void AddTypedProperty(const char* className, const char* property, SetterCaller caller, ErasedSetter setter);

    template <typename M> struct MemberOf;
    template <typename T, typename E> struct MemberOf<E T::*> {
        using Class = T;
        using Type = E;
    };
    template <auto Slot> static void SetEvent(Component& target, const FormHandler& handler)
    {
        using Member = MemberOf<decltype(Slot)>;
        const auto* typed = std::get_if<typename Member::Type>(&handler);
        if (!typed) {
            throw FormError("the handler does not fit the event");
        }
        dynamic_cast<typename Member::Class&>(target).*Slot = *typed;
    }
    void AddEventFunction(const char* className, const char* event,
                          void (*setter)(Component& target, const FormHandler& handler));

    struct ClassInfo {
        std::string base;
        ComponentFactory factory;
        std::map<std::string, PropertySetter> properties;
        std::map<std::string, ReferenceSetter> references;
        std::map<std::string, EventSetter> events;
    };
    const ClassInfo* Find(const std::string& className) const;
    // The entry `name` of the member map `table` in the class or its nearest base.
    template <typename Entry>
    const Entry* Inherited(const std::string& className, std::map<std::string, Entry> ClassInfo::*table,
                           const std::string& name) const;
    std::map<std::string, ClassInfo> classes_;
};

// The framework's standard classes and their properties (TLabel, TPanel,
// ...); other modules add their own classes to the same table.
FormClasses& StandardFormClasses();

// Value helpers for setters: colours by number or name (clNavy,
// clBtnFace, ...), font styles as a set ([fsBold, fsItalic]).
Color ColorValue(const FormValue& v);
FontStyles FontStylesValue(const FormValue& v);

// An enumeration value by its name (the position in `names` is the value)
// or by its ordinal, which the setter then checks like any other value. An
// unknown name raises FormError.
template <typename E> E EnumValue(const FormValue& v, std::initializer_list<const char*> names)
{
    if (v.kind == FormValue::Kind::Integer) {
        return static_cast<E>(v.AsInt());
    }
    int i = 0;
    for (const char* name : names) {
        if (v.AsIdent() == name) {
            return static_cast<E>(i);
        }
        ++i;
    }
    throw FormError("unknown value " + v.text);
}

// The text of an RCDATA resource of the running executable.
std::string FormResource(const std::string& name);

// The handler called `handler` that the description sets as `event` of
// `target`; the loader sets it through the class's event. Null leaves the
// event unset (a reader that only looks at the description does so); a
// finder for a real window raises FormError for a name nobody provides.
using HandlerFinder =
    std::function<const FormHandler*(Component& target, const std::string& event, const std::string& handler)>;

class FormLoader {
public:
    // Without a finder, events are not bound at all.
    FormLoader(const FormClasses& classes, HandlerFinder finder);
    // Reads the description; the top object's properties go to `root`, which
    // owns every control made, and nested objects become children of the
    // windowed control they are nested in.
    void Load(const std::string& text, Component& root);

    using Object = FormObject;

private:
    struct Deferred;
    void Apply(const Object& object, Component& target, std::vector<Deferred>& deferred);
    // An event property: false when `name` is none.
    bool BindEvent(const Object& object, Component& target, const std::string& name, const FormValue& value);
    void Build(const Object& object, Component& root, Component* parent, std::vector<Deferred>& deferred,
               std::vector<Component*>& made);
    const FormClasses& classes_;
    HandlerFinder finder_;
};

} // namespace klarvo
