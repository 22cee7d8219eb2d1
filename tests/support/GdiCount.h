#pragma once

// The leak tests' one check: live GDI objects counted before and after
// something is done over and over.

#include <windows.h>

#include <functional>
#include <utility>

namespace klarvo::test {

// Live GDI objects of this process. Windows 2000 and later count them
// (GetGuiResources); Wine answers that call with 0, so there every index of
// its handle table is asked for an object type instead (Wine accepts a
// handle given by its bare index). Either way a leak shows as growth.
DWORD LiveGdiObjects();

// Something done over and over for hours that must leave no GDI object
// behind: warmUp makes what stays (fonts, brushes, caches), round(i) is the
// i-th repetition, settle (may be empty) brings the thing back to where the
// warm-up left it.
struct GdiLeakRow {
    GdiLeakRow(const char* what, std::function<void()> warmUp, std::function<void(int)> round, int rounds,
               std::function<void()> settle = {})
        : what(what), warmUp(std::move(warmUp)), round(std::move(round)), rounds(rounds), settle(std::move(settle))
    {
    }
    const char* what;
    std::function<void()> warmUp;
    std::function<void(int)> round;
    int rounds;
    std::function<void()> settle;
};

// First shows that the count sees one new object (a count that never moves
// would pass any leak), then that the rows' repetitions leave it where the
// warm-up left it.
void ExpectGdiCountFlat(const GdiLeakRow& row);

} // namespace klarvo::test
