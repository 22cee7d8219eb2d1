#include "framework/loader/FormParser.h"

#include <cctype>

namespace klarvo {

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

    // One reader per kind of value, chosen by the value's first character.
    FormValue Value()
    {
        const char c = Peek();
        if (c == '\'' || c == '#') {
            return StringValue();
        }
        if (c == '-' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
            return IntegerValue();
        }
        if (c == '[') {
            return SetValue();
        }
        if (c == '(') {
            return ListValue();
        }
        if (c == '{') {
            return BinaryValue();
        }
        return IdentValue();
    }

    FormValue StringValue()
    {
        FormValue v;
        v.kind = FormValue::Kind::String;
        v.text = StringLiteral();
        return v;
    }

    FormValue IdentValue()
    {
        FormValue v;
        v.kind = FormValue::Kind::Ident;
        v.text = Ident();
        return v;
    }

    // A decimal or $-hexadecimal number, optionally negative, that fits 32
    // bits signed or unsigned.
    FormValue IntegerValue()
    {
        FormValue v;
        v.kind = FormValue::Kind::Integer;
        const bool negative = Peek() == '-';
        if (negative) {
            ++pos_;
        }
        int base = 10;
        if (pos_ < s_.size() && s_[pos_] == '$') {
            base = 16;
            ++pos_;
        }
        const std::size_t start = pos_;
        // A decimal number ends at its last decimal digit: "12ab" is no
        // number and must not read as 12.
        auto isDigit = [base](char d) {
            const auto byte = static_cast<unsigned char>(d);
            return base == 16 ? std::isxdigit(byte) != 0 : std::isdigit(byte) != 0;
        };
        while (pos_ < s_.size() && isDigit(s_[pos_])) {
            ++pos_;
        }
        if (start == pos_) {
            Fail("number expected");
        }
        const std::string digits = s_.substr(start, pos_ - start);
        if (digits.size() > 10) {
            Fail("number out of range");
        }
        const long long n = std::stoll(digits, nullptr, base);
        v.integer = negative ? -n : n;
        if (v.integer < -2147483648LL || v.integer > 4294967295LL) {
            Fail("number out of range");
        }
        return v;
    }

    // A value of `kind` whose text starts with `opening`, now passed.
    FormValue Opened(char opening, FormValue::Kind kind)
    {
        Expect(opening);
        FormValue v;
        v.kind = kind;
        return v;
    }

    // [name, name, ...]
    FormValue SetValue()
    {
        FormValue v = Opened('[', FormValue::Kind::Set);
        while (Peek() != ']') {
            v.items.push_back(Ident());
            if (Peek() == ',') {
                ++pos_;
            } else if (Peek() != ']') {
                Fail("',' or ']' expected");
            }
        }
        ++pos_;
        return v;
    }

    // ('string' 'string' ...)
    FormValue ListValue()
    {
        FormValue v = Opened('(', FormValue::Kind::List);
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
        return v;
    }

    // {hex digits}, two per byte, white space anywhere between them.
    FormValue BinaryValue()
    {
        FormValue v = Opened('{', FormValue::Kind::Binary);
        std::string hex;
        while (Peek() != '}') {
            if (AtEnd()) {
                Fail("'}' expected");
            }
            const char h = s_[pos_++];
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
        return v;
    }

    std::unique_ptr<FormObject> ParseObject(int depth);

private:
    const std::string& s_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

} // namespace

std::unique_ptr<FormObject> Parser::ParseObject(int depth)
{
    if (depth > kMaxFormDepth) {
        Fail("objects nested too deeply");
    }
    if (Ident() != "object") {
        Fail("'object' expected");
    }
    auto o = std::make_unique<FormObject>();
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
            o->children.push_back(ParseObject(depth + 1));
            continue;
        }
        Expect('=');
        o->properties.emplace_back(word, Value());
    }
}

std::unique_ptr<FormObject> ParseForm(const std::string& text)
{
    Parser parser(text);
    std::unique_ptr<FormObject> top = parser.ParseObject(1);
    if (!parser.AtEnd()) {
        parser.Fail("text after the last 'end'");
    }
    return top;
}

} // namespace klarvo
