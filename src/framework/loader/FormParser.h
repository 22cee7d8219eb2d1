#pragma once

// Reads the text of a form description (see FormLoader.h for its grammar)
// into a tree of objects, without making any of them: the text alone, so
// that it can be checked on any input without a window.

#include "win/Error.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace klarvo {

class FormError : public Error {
public:
    using Error::Error;
};

struct FormValue {
    enum class Kind { Integer, String, Ident, Set, List, Binary };
    Kind kind = Kind::Integer;
    std::int64_t integer = 0;
    std::string text;                // String, Ident
    std::vector<std::string> items;  // Set members, List strings
    std::vector<unsigned char> data; // Binary

    int AsInt() const;   // Integer; raises FormError otherwise
    bool AsBool() const; // True / False
    const std::string& AsString() const;
    const std::string& AsIdent() const;
};

// One object of a description: its name, class, properties in written
// order and nested objects.
struct FormObject {
    std::string name;
    std::string className;
    int line = 0;
    std::vector<std::pair<std::string, FormValue>> properties;
    std::vector<std::unique_ptr<FormObject>> children;
};

// Objects nest at most this deep: reading and building them recurse, and
// the shell's own form nests five levels.
constexpr int kMaxFormDepth = 64;

// The one top object of `text`; raises FormError naming the line of the
// first fault, including any text after the top object's "end".
std::unique_ptr<FormObject> ParseForm(const std::string& text);

} // namespace klarvo
