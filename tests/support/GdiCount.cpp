#include "support/GdiCount.h"

#include <gtest/gtest.h>

#include "win/Gdi.h"

namespace klarvo::test {

DWORD LiveGdiObjects()
{
    if (DWORD n = GdiObjectCount()) {
        return n;
    }
    DWORD n = 0;
    for (UINT_PTR i = 1; i < 0x10000; ++i) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) {
            ++n;
        }
    }
    return n;
}

void ExpectGdiCountFlat(const GdiLeakRow& row)
{
    SCOPED_TRACE(row.what);
    row.warmUp();
    const DWORD before = LiveGdiObjects();
    ASSERT_GT(before, 0u);
    {
        const BrushHandle extra(CreateSolidBrush(RGB(1, 2, 3)));
        ASSERT_EQ(LiveGdiObjects(), before + 1) << "the count misses a new brush";
    }
    ASSERT_EQ(LiveGdiObjects(), before) << "the count misses a deleted brush";
    for (int i = 0; i < row.rounds; ++i) {
        row.round(i);
    }
    if (row.settle) {
        row.settle();
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

} // namespace klarvo::test
