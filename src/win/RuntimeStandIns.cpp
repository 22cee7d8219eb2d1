// The runtime's default end for an uncaught exception prints the demangled
// type to a console these window programs never have; linking it pulls the
// whole demangler into both programs. Ending at once says as much.

#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    std::abort();
}

} // namespace __gnu_cxx
