// The skinned frame's geometry with the shipped images' sizes: caption 32
// high, sides 7 wide (images 46 high), bottom 7 high, 16-pixel small icon.
#include "skin/frame_geometry.h"

#include <gtest/gtest.h>

namespace {

using namespace skin;

const FrameMetrics kShipped{32, 7, 7, 7};
const SIZE kSmallIcon{16, 16};

// The shipped caption buttons' places for a window W wide, in list order.
std::vector<RECT> ShippedButtons(int width) {
    const int strips[] = {126, 96, 96, 96, 96, 129, 129, 129, 129};
    std::vector<RECT> placed;
    int offset = 4;
    for (size_t i = 0; i < 9; ++i) {
        placed.push_back(PlacedRect(ButtonPlace(offset, 4, strips[i], 3, 23), width));
        if (i != 1) offset += strips[i] / 3;  // restore and maximise share a place
    }
    return placed;
}

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

::testing::AssertionResult Is(const RECT& r, int l, int t, int rt, int b) {
    if (r == RECT{l, t, rt, b}) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom
                                         << ")";
}

TEST(ButtonPlacement, A126PixelStripOfThreeFramesInA1000PixelWindow) {
    const RECT place = ButtonPlace(4, 4, 126, 3, 23);
    EXPECT_TRUE(Is(place, 4, 4, 46, 27));
    EXPECT_TRUE(Is(PlacedRect(place, 1000), 954, 4, 996, 27));
    EXPECT_TRUE(Is(FrameSource(2, 42, 23), 84, 0, 126, 23));
    EXPECT_TRUE(Is(FrameSource(0, 42, 23), 0, 0, 42, 23));
}

TEST(ButtonPlacement, TheShippedRowFromTheRightEdge) {
    const std::vector<RECT> b = ShippedButtons(1280);
    EXPECT_TRUE(Is(b[0], 1234, 4, 1276, 27));  // close
    EXPECT_TRUE(Is(b[1], 1202, 4, 1234, 27));  // restore ...
    EXPECT_TRUE(b[1] == b[2]);                 // ... and maximise share it
    EXPECT_TRUE(Is(b[3], 1170, 4, 1202, 27));  // minimise
    EXPECT_TRUE(Is(b[4], 1138, 4, 1170, 27));  // tray
    EXPECT_TRUE(Is(b[5], 1095, 4, 1138, 27));  // settings
    EXPECT_TRUE(Is(b[8], 966, 4, 1009, 27));   // home: W-314 to W-271
}

TEST(ClientArea, ShrinksByTheFrame) {
    const RECT client = ClientFromWindow(RECT{0, 0, 1280, 800}, kShipped);
    EXPECT_TRUE(Is(client, 7, 32, 1273, 793));
    EXPECT_EQ(1266, client.right - client.left);
    EXPECT_EQ(761, client.bottom - client.top);
    EXPECT_TRUE(Is(ClientFromWindow(RECT{100, 50, 1058, 626}, kShipped), 107, 82, 1051, 619));
}

TEST(BorderTiling, LeftBorderOfA1280By800Window) {
    int top = 0, bottom = 0;
    SideTileRows(46, kShipped, &top, &bottom);
    EXPECT_EQ(32, top);
    EXPECT_EQ(39, bottom);
    const std::vector<BorderPiece> pieces = SideBorderPieces(0, 800, 46, top, bottom);
    ASSERT_GE(pieces.size(), 3u);
    EXPECT_EQ(0, pieces.front().sourceTop);
    EXPECT_EQ(32, pieces.front().sourceBottom);
    EXPECT_EQ(0, pieces.front().destY);
    // The tile repeats from y 32 in steps of 7 and covers down to the bottom piece.
    for (size_t i = 1; i + 1 < pieces.size(); ++i) {
        EXPECT_EQ(32 + 7 * static_cast<int>(i - 1), pieces[i].destY);
        EXPECT_EQ(32, pieces[i].sourceTop);
        EXPECT_LE(pieces[i].destY + pieces[i].sourceBottom - pieces[i].sourceTop, 800);
    }
    const BorderPiece& last = pieces[pieces.size() - 2];
    EXPECT_GE(last.destY + last.sourceBottom - last.sourceTop, 793);
    EXPECT_EQ(39, pieces.back().sourceTop);
    EXPECT_EQ(46, pieces.back().sourceBottom);
    EXPECT_EQ(793, pieces.back().destY);
}

TEST(BorderTiling, ATileReachingPastTheEndIsCutAndStaysCut) {
    // A border 36 high at y 10: one tile, at 42, would reach 49 past 46 and
    // is cut to rows 32..36.
    std::vector<BorderPiece> pieces = SideBorderPieces(10, 36, 46, 32, 39);
    ASSERT_EQ(3u, pieces.size());
    EXPECT_EQ(42, pieces[1].destY);
    EXPECT_EQ(36, pieces[1].sourceBottom);
    EXPECT_EQ(10 + 36 - 7, pieces[2].destY);
}

TEST(TopStripAndTitle, ShippedSizes) {
    EXPECT_EQ(1267, TopStripWidth(1280, kShipped));  // x 7 to 1273 inclusive
    EXPECT_TRUE(Is(TitleRect(30, 0, 1280, 4, 4, 32), 30, 0, 1280, 32));
}

TEST(CaptionBuffer, AtLeast2500AndAsWideAsTheWidestWindow) {
    EXPECT_EQ(2500, CaptionBufferWidth(0, 1280));
    EXPECT_EQ(2500, CaptionBufferWidth(2500, 2500));
    EXPECT_EQ(3840, CaptionBufferWidth(2500, 3840));
    EXPECT_EQ(3840, CaptionBufferWidth(3840, 1280));  // never narrower again
}

TEST(HitTest, ZonesOfA1280WideWindow) {
    auto hit = [&](int x, int y, bool resizable, bool maximised) {
        return FrameHitCode(POINT{x, y}, 1280, 800, kShipped, kSmallIcon, resizable, maximised);
    };
    EXPECT_EQ(HTCAPTION, hit(900, 10, true, true));
    EXPECT_EQ(HTSYSMENU, hit(20, 10, true, true));
    EXPECT_EQ(HTCLIENT, hit(500, 3, false, false));  // not resizable
    EXPECT_EQ(HTTOP, hit(500, 3, true, false));      // 7 pixels thick, as the bottom
    EXPECT_EQ(HTCAPTION, hit(500, 7, true, false));
    EXPECT_EQ(HTCLIENT, hit(500, 3, true, true));    // maximised: no resize zones
    EXPECT_EQ(HTTOPLEFT, hit(2, 2, true, false));
    EXPECT_EQ(HTTOPRIGHT, hit(1277, 2, true, false));
    EXPECT_EQ(HTBOTTOMLEFT, hit(2, 797, true, false));
    EXPECT_EQ(HTBOTTOMRIGHT, hit(1277, 797, true, false));
    EXPECT_EQ(HTLEFT, hit(3, 400, true, false));
    EXPECT_EQ(HTRIGHT, hit(1275, 400, true, false));
    EXPECT_EQ(HTBOTTOM, hit(600, 795, true, false));
    EXPECT_EQ(HTCLIENT, hit(600, 400, true, false));
    EXPECT_EQ(HTCLIENT, hit(3, 400, true, true));
}

TEST(HitTest, ButtonsComeBeforeTheFrame) {
    // What the skin checks first, at the points a player would click.
    const std::vector<RECT> b = ShippedButtons(1280);
    auto first = [&](int x, int y) {
        for (size_t i = 0; i < b.size(); ++i)
            if (x >= b[i].left && x < b[i].right && y >= b[i].top && y < b[i].bottom) return static_cast<int>(i);
        return -1;
    };
    EXPECT_EQ(0, first(1250, 10));  // close
    EXPECT_EQ(1, first(1210, 10));  // restore's place, first in the list
    EXPECT_EQ(8, first(1000, 10));  // home
    EXPECT_EQ(-1, first(900, 10));  // the caption
    EXPECT_TRUE(IsResizeCode(HTLEFT) && IsResizeCode(HTBOTTOMRIGHT));
    EXPECT_FALSE(IsResizeCode(HTCAPTION) || IsResizeCode(HTCLOSE));
}

}  // namespace
