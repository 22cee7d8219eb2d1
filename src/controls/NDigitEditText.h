#pragma once

// The digit edit's view of its text and its filter on typed characters.

#include <cstdint>
#include <string>

namespace klarvo::digitedit {

// The text as a decimal integer: an optional sign and at least one digit,
// nothing else. Anything else, or a number outside 32 bits, reads as 0.
std::int32_t ParseValue(const std::string& text);

// The text that shows `value`.
std::string FormatValue(std::int32_t value);

// Whether a typed character passes: the digits, backspace and carriage return.
bool AcceptsTyped(char ch);

} // namespace klarvo::digitedit
