#pragma once

// The one exception the settings store raises.

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

// Runs `work`, raising a failure of the file layer as a SettingsError with
// the same message, so that the settings' callers see one error type.
template <class Work> decltype(auto) AsSettingsError(Work&& work)
{
    try {
        return work();
    } catch (const FileError& error) {
        throw SettingsError(error.what());
    }
}

} // namespace klarvo
