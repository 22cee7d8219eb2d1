#pragma once

#include "win/Error.h"

#include <string>

namespace klarvo {

// Every input/output failure of the settings store. Callers in the shell do
// not catch it: it travels to the application's default error box, and the
// rest of the handler that raised it is skipped.
class SettingsError : public Error {
public:
    using Error::Error;
};

// Text of a Win32 error code for a SettingsError message ("Access is denied").
std::string SystemErrorText(unsigned long code);

} // namespace klarvo
