#include "controls/NDigitEditText.h"

#include <cstdint>

namespace klarvo::digitedit {

std::int32_t ParseValue(const std::string& text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i++] == '-';
    }
    if (i == text.size()) {
        return 0;
    }
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return 0;
        }
        magnitude = magnitude * 10 + (text[i] - '0');
        // Stop before the sum can overflow; the lowest value is one further
        // from zero than the highest.
        if (magnitude > std::int64_t(INT32_MAX) + 1) {
            return 0;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX || value < INT32_MIN) {
        return 0;
    }
    return static_cast<std::int32_t>(value);
}

std::string FormatValue(std::int32_t value)
{
    return std::to_string(value);
}

bool AcceptsTyped(char ch)
{
    return (ch >= '0' && ch <= '9') || ch == 8 || ch == 13;
}

} // namespace klarvo::digitedit
