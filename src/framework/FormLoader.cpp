#include "framework/FormLoader.h"

#include "framework/Lz4.h"

#include <windows.h>

#include <cctype>
#include <memory>
#include <utility>

namespace klarvo {

// Puts a made control into the control it is nested in (StdFormClasses.cpp).
void PlaceInParent(Component& child, Component& parent);

// ---- values ----------------------------------------------------------------

int FormValue::AsInt() const
{
    if (kind != Kind::Integer) {
        throw FormError("integer expected");
    }
    return static_cast<int>(integer);
}

bool FormValue::AsBool() const
{
    if (kind == Kind::Ident && (text == "True" || text == "False")) {
        return text == "True";
    }
    throw FormError("True or False expected");
}

const std::string& FormValue::AsString() const
{
    if (kind != Kind::String) {
        throw FormError("string expected");
    }
    return text;
}

const std::string& FormValue::AsIdent() const
{
    if (kind != Kind::Ident) {
        throw FormError("identifier expected");
    }
    return text;
}

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

// ---- parsing ---------------------------------------------------------------

struct FormLoader::Object {
    std::string name;
    std::string className;
    int line = 0;
    std::vector<std::pair<std::string, FormValue>> properties; // in written order
    std::vector<std::unique_ptr<Object>> children;
};

struct FormLoader::Deferred {
    Component* target;
    const ReferenceSetter* setter;
    std::string referenced;
    int line;
};

namespace {

class Parser {
public:
    explicit Parser(const std::string& text) : s_(text) {}

    [[noreturn]] void Fail(const std::string& what) const
    {
        throw FormError("form description line " + std::to_string(line_) + ": " + what);
    }

    void SkipSpace()
    {
        while (pos_ < s_.size()) {
            char c = s_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++pos_;
            } else if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/') {
                while (pos_ < s_.size() && s_[pos_] != '\n') {
                    ++pos_;
                }
            } else {
                break;
            }
        }
    }

    bool AtEnd()
    {
        SkipSpace();
        return pos_ >= s_.size();
    }

    char Peek()
    {
        SkipSpace();
        return pos_ < s_.size() ? s_[pos_] : '\0';
    }

    void Expect(char c)
    {
        if (Peek() != c) {
            Fail(std::string("'") + c + "' expected");
        }
        ++pos_;
    }

    static bool IdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'; }

    std::string Ident()
    {
        SkipSpace();
        std::size_t start = pos_;
        while (pos_ < s_.size() && IdentChar(s_[pos_])) {
            ++pos_;
        }
        if (start == pos_ || std::isdigit(static_cast<unsigned char>(s_[start]))) {
            Fail("name expected");
        }
        return s_.substr(start, pos_ - start);
    }

    int Line() const { return line_; }

    std::string StringLiteral()
    {
        // 'text' pieces and #nn characters written together form one string;
        // "+" joins strings across line ends.
        std::string out;
        SkipSpace();
        for (;;) {
            char c = pos_ < s_.size() ? s_[pos_] : '\0';
            if (c == '\'') {
                ++pos_;
                for (;;) {
                    if (pos_ >= s_.size() || s_[pos_] == '\n') {
                        Fail("unterminated string");
                    }
                    if (s_[pos_] == '\'') {
                        if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
                            out += '\'';
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    out += s_[pos_++];
                }
            } else if (c == '#') {
                ++pos_;
                std::size_t start = pos_;
                while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) {
                    ++pos_;
                }
                if (start == pos_ || pos_ - start > 3) {
                    Fail("character code expected");
                }
                int code = std::stoi(s_.substr(start, pos_ - start));
                if (code > 255) {
                    Fail("character code out of range");
                }
                out += static_cast<char>(code);
            } else if (Peek() == '+') {
                ++pos_;
                SkipSpace();
            } else {
                return out;
            }
        }
    }

    FormValue Value()
    {
        FormValue v;
        char c = Peek();
        if (c == '\'' || c == '#') {
            v.kind = FormValue::Kind::String;
            v.text = StringLiteral();
        } else if (c == '-' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
            v.kind = FormValue::Kind::Integer;
            bool negative = c == '-';
            if (negative) {
                ++pos_;
            }
            int base = 10;
            if (pos_ < s_.size() && s_[pos_] == '$') {
                base = 16;
                ++pos_;
            }
            std::size_t start = pos_;
            while (pos_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[pos_]))) {
                ++pos_;
            }
            if (start == pos_) {
                Fail("number expected");
            }
            std::string digits = s_.substr(start, pos_ - start);
            if (digits.size() > 10) {
                Fail("number out of range");
            }
            long long n = std::stoll(digits, nullptr, base);
            v.integer = negative ? -n : n;
            if (v.integer < -2147483648LL || v.integer > 4294967295LL) {
                Fail("number out of range");
            }
        } else if (c == '[') {
            ++pos_;
            v.kind = FormValue::Kind::Set;
            while (Peek() != ']') {
                v.items.push_back(Ident());
                if (Peek() == ',') {
                    ++pos_;
                } else if (Peek() != ']') {
                    Fail("',' or ']' expected");
                }
            }
            ++pos_;
        } else if (c == '(') {
            ++pos_;
            v.kind = FormValue::Kind::List;
            while (Peek() != ')') {
                if (AtEnd()) {
                    Fail("')' expected");
                }
                v.items.push_back(StringLiteral());
                if (Peek() != ')' && Peek() != '\'' && Peek() != '#') {
                    Fail("string expected");
                }
            }
            ++pos_;
        } else if (c == '{') {
            ++pos_;
            v.kind = FormValue::Kind::Binary;
            std::string hex;
            while (Peek() != '}') {
                if (AtEnd()) {
                    Fail("'}' expected");
                }
                char h = s_[pos_++];
                if (!std::isxdigit(static_cast<unsigned char>(h))) {
                    Fail("hexadecimal digit expected");
                }
                hex += h;
            }
            ++pos_;
            if (hex.size() % 2) {
                Fail("odd number of hexadecimal digits");
            }
            for (std::size_t i = 0; i < hex.size(); i += 2) {
                v.data.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
            }
        } else {
            v.kind = FormValue::Kind::Ident;
            v.text = Ident();
        }
        return v;
    }

    std::unique_ptr<FormLoader::Object> ParseObject();

private:
    const std::string& s_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

} // namespace

// Defined here because Object is FormLoader's.
std::unique_ptr<FormLoader::Object> Parser::ParseObject()
{
    if (Ident() != "object") {
        Fail("'object' expected");
    }
    auto o = std::make_unique<FormLoader::Object>();
    o->line = line_;
    o->name = Ident();
    Expect(':');
    o->className = Ident();
    for (;;) {
        if (AtEnd()) {
            Fail("'end' expected for " + o->name);
        }
        std::size_t mark = pos_;
        int markLine = line_;
        std::string word = Ident();
        if (word == "end") {
            return o;
        }
        if (word == "object") {
            pos_ = mark;
            line_ = markLine;
            o->children.push_back(ParseObject());
            continue;
        }
        Expect('=');
        o->properties.emplace_back(word, Value());
    }
}

// ---- loading ---------------------------------------------------------------

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
    Parser parser(text);
    std::unique_ptr<Object> top = parser.ParseObject();
    if (!parser.AtEnd()) {
        parser.Fail("text after the last 'end'");
    }
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
