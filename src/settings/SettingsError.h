#pragma once

#include <stdexcept>
#include <string>

namespace klarvo {

// Every input/output failure of the settings store. Callers in the shell do
// not catch it: it travels to the application's default error box, and the
// rest of the handler that raised it is skipped.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Text of a Win32 error code for a SettingsError message ("Access is denied").
std::string SystemErrorText(unsigned long code);

} // namespace klarvo
