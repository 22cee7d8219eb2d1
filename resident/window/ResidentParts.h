#pragma once

// What the files of the Resident class share and nobody else needs.

#include <windows.h>

#include <cstdint>

#include "win/Memory.h"

namespace klarvo::resident {

// Posted by the workers to the window, wParam the id of the job. Any
// program can post these too, so each is taken only for the job running.
constexpr UINT kRamProgress = WM_APP + 1; // lParam percent
constexpr UINT kRamDone = WM_APP + 2;
constexpr UINT kDiskDone = WM_APP + 3;
constexpr UINT kTrayCallback = WM_APP + 4;

constexpr UINT_PTR kAutoTimer = 1;
constexpr UINT_PTR kTrayTimer = 2;
constexpr UINT_PTR kEndTimer = 3;

// The shell's TotalRamMB: the megabyte figure every amount is based on.
inline std::int32_t TotalRamMB()
{
    return TotalRamMBFromBytes(ReadMemoryBytes().totalPhysical);
}

} // namespace klarvo::resident
