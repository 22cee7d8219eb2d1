#include "app/PageArgument.h"

#include <cstdint>

namespace klarvo {

std::int32_t ParsePageArgument(const char* text)
{
    if (!text) {
        return 0;
    }
    while (*text == ' ' || *text == '\t') {
        ++text;
    }
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text++ == '-';
    }
    if (*text == '\0') {
        return 0;
    }
    std::int64_t magnitude = 0;
    for (; *text; ++text) {
        if (*text < '0' || *text > '9') {
            return 0;
        }
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > std::int64_t{INT32_MAX} + 1) {
            return 0;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return value > INT32_MAX ? 0 : static_cast<std::int32_t>(value);
}

} // namespace klarvo
