#pragma once

#include <windows.h>

namespace klarvo::test {

// Live GDI objects of this process. Windows 2000 and later count them
// (GetGuiResources); Wine answers that call with 0, so there every index of
// its handle table is asked for an object type instead (Wine accepts a
// handle given by its bare index). Either way a leak shows as growth.
DWORD LiveGdiObjects();

} // namespace klarvo::test
