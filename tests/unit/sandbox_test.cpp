#include <gtest/gtest.h>

#include <windows.h>

namespace {

// Tests that delete files rely on this: only drive C: is reachable.
TEST(Sandbox, OnlyDriveCExists)
{
    EXPECT_EQ(GetLogicalDrives(), 1u << 2);
    EXPECT_EQ(GetFileAttributesA("Z:\\"), INVALID_FILE_ATTRIBUTES);
}

} // namespace
