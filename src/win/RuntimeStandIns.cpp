// Stand-ins for parts of the C++ runtime that would otherwise bring far more
// code into both programs than they are worth. Linked as an object, so they
// take the place of the runtime's own before its library is searched.

#include "win/Error.h"

#include <cstdlib>
#include <new>

namespace __gnu_cxx {

// The default end for an uncaught exception prints the demangled type to a
// console these window programs never have, and pulls the whole demangler
// in. Ending at once says as much.
void __verbose_terminate_handler()
{
    std::abort();
}

} // namespace __gnu_cxx

// The containers report misuse through these. The runtime's versions throw
// the runtime_error family, whose message type drags in a second string
// implementation; these throw the project's own error with the same text,
// which every handler that catches std::exception still catches.
namespace std {

void __throw_bad_alloc()
{
    throw std::bad_alloc();
}

void __throw_bad_array_new_length()
{
    throw std::bad_alloc();
}

void __throw_length_error(const char* what)
{
    throw klarvo::Error(what);
}

void __throw_logic_error(const char* what)
{
    throw klarvo::Error(what);
}

void __throw_out_of_range(const char* what)
{
    throw klarvo::Error(what);
}

// The format's arguments are dropped: the text names the failed check.
void __throw_out_of_range_fmt(const char* format, ...)
{
    throw klarvo::Error(format);
}

void __throw_invalid_argument(const char* what)
{
    throw klarvo::Error(what);
}

} // namespace std
