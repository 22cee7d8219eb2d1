#pragma once

// The shell's command line: which page to open first.

#include <cstdint>

namespace klarvo {

// The start page from the program's first argument: decimal text with an
// optional sign. Missing, empty, non-numeric or out-of-range text gives 0.
// No clamping: the receiver of the page ignores negatives and caps at 6.
std::int32_t ParsePageArgument(const char* text);

} // namespace klarvo
