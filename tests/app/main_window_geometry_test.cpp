#include "app/main_window_geometry.h"

#include <gtest/gtest.h>

namespace {

MINMAXINFO WithMinimum(LONG x, LONG y) {
    MINMAXINFO info = {};
    info.ptMinTrackSize = {x, y};
    info.ptMaxTrackSize = {4000, 3000};
    return info;
}

}  // namespace

TEST(CentredOrigin, CentresInTheWorkAreaTruncatingTowardZero) {
    POINT p = CentredOrigin(RECT{0, 0, 1280, 1024}, 980, 650);
    EXPECT_EQ(150, p.x);
    EXPECT_EQ(187, p.y);
    // A work area that does not start at 0 (a taskbar on the left or top).
    p = CentredOrigin(RECT{60, 30, 1340, 1054}, 981, 651);
    EXPECT_EQ(60 + 149, p.x);
    EXPECT_EQ(30 + 186, p.y);
    // Larger than the work area: negative halves truncate toward zero.
    p = CentredOrigin(RECT{0, 0, 800, 600}, 981, 651);
    EXPECT_EQ(-90, p.x);
    EXPECT_EQ(-25, p.y);
}

TEST(CentredOrigin, SmallerClientSizeMovesTheWindowRightAndDown) {
    // A client area 6 by 6 pixels smaller than the window (a 3-pixel frame).
    POINT outer = CentredOrigin(RECT{0, 0, 1280, 1024}, 980, 650);
    POINT client = CentredOrigin(RECT{0, 0, 1280, 1024}, 974, 644);
    EXPECT_EQ(outer.x + 3, client.x);
    EXPECT_EQ(outer.y + 3, client.y);
}

TEST(ApplyMinimumTrackSize, RaisesOnlySmallerLimits) {
    MINMAXINFO small = WithMinimum(100, 100);
    ApplyMinimumTrackSize(small);
    EXPECT_EQ(958, small.ptMinTrackSize.x);
    EXPECT_EQ(576, small.ptMinTrackSize.y);
    EXPECT_EQ(4000, small.ptMaxTrackSize.x);

    MINMAXINFO large = WithMinimum(1000, 700);
    ApplyMinimumTrackSize(large);
    EXPECT_EQ(1000, large.ptMinTrackSize.x);
    EXPECT_EQ(700, large.ptMinTrackSize.y);

    MINMAXINFO mixed = WithMinimum(2000, 10);
    ApplyMinimumTrackSize(mixed);
    EXPECT_EQ(2000, mixed.ptMinTrackSize.x);
    EXPECT_EQ(576, mixed.ptMinTrackSize.y);
}

TEST(MinimisedIconOrigin, CentresTheIconRoundingUp) {
    POINT p = MinimisedIconOrigin(RECT{0, 0, 160, 27}, 32, 32);
    EXPECT_EQ(64, p.x);
    EXPECT_EQ(-2, p.y);
    p = MinimisedIconOrigin(RECT{0, 0, 33, 34}, 32, 32);
    EXPECT_EQ(1, p.x);
    EXPECT_EQ(1, p.y);
}

TEST(LauncherOrigin, SitsThreeRightAfterInitAndThreeUpAfterMoves) {
    POINT first = LauncherInitialOrigin(RECT{150, 187, 1130, 837});
    EXPECT_EQ(153, first.x);
    EXPECT_EQ(187, first.y);
    POINT moved = LauncherFollowOrigin(POINT{200, 100});
    EXPECT_EQ(200, moved.x);
    EXPECT_EQ(97, moved.y);
}
