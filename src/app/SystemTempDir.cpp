// The part of the settings values that asks the system; the rest is plain
// arithmetic that also builds without Windows headers.

#include "app/SettingsValues.h"

#include <windows.h>

namespace klarvo {

namespace {

bool IsVariableSet(const char* name)
{
    char value[1];
    return GetEnvironmentVariableA(name, value, sizeof value) > 0;
}

} // namespace

std::string SystemTempDirLine()
{
    if (!IsVariableSet("TMP") && !IsVariableSet("TEMP")) {
        return {};
    }
    char buffer[kTempPathRoom + 1] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    return TempDirLine(std::string_view(buffer, sizeof buffer), length);
}

} // namespace klarvo
