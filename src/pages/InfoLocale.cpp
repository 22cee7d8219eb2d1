#include "pages/InfoGraph.h"

#include <windows.h>

namespace klarvo {

// Apart from the graph's arithmetic, which needs no Windows header.
char LocaleDecimalSeparator()
{
    char buffer[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 0 && buffer[0] != '\0') {
        return buffer[0];
    }
    return '.';
}

} // namespace klarvo
