// The program's text is GBK; everything else assumes the tests run with it.
#include <windows.h>
#include <gtest/gtest.h>

TEST(Platform, AnsiCodePageIs936) {
    EXPECT_EQ(936u, GetACP());
    EXPECT_EQ(936u, GetOEMCP());
}
