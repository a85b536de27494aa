// The display's pure geometry, without a window or a port: world-coordinate
// arithmetic, pane rectangles, icon layout and the sub-window's bands.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "display/IconLayout.h"
#include "display/PaneRect.h"
#include "display/SubWindowBand.h"
#include "display/World.h"

TEST(World, TruncationSaturatesAndTruncatesTowardZero) {
    EXPECT_EQ(truncateToInt(2.9f), 2);
    EXPECT_EQ(truncateToInt(-1.7f), -1);
    EXPECT_EQ(truncateToInt(std::nanf("")), 0);
    EXPECT_EQ(truncateToInt(3e9f), INT_MAX);
    EXPECT_EQ(truncateToInt(-3e9f), INT_MIN);
    EXPECT_EQ(truncateToInt(INFINITY), INT_MAX);
    EXPECT_EQ(truncateToInt(-INFINITY), INT_MIN);
}

TEST(World, ExtentsOfMirroredEdgesDoNotOverflow) {
    EXPECT_EQ(worldExtent(0, worldMaximum), 16777215.0f);
    EXPECT_EQ(worldExtent(worldMaximum, 0), -16777215.0f);
    EXPECT_EQ(worldExtent(INT_MAX, INT_MIN), -4294967295.0f);
    EXPECT_EQ(worldExtent(INT_MIN, INT_MAX), 4294967295.0f);
}

TEST(PaneRect, IconPointsAndShrunkRectangles) {
    EXPECT_EQ(TrX(500, 250, 500, 1000), 500);
    EXPECT_EQ(TrX(1000, 10, 3, 1000), 13);
    EXPECT_EQ(TrY(0, 77, 500, 1000), 77);
    int xs, ys, ws, hs;
    shrink(0.25f, 0, 0, 400, 400, xs, ys, ws, hs);
    EXPECT_EQ(xs, 150);
    EXPECT_EQ(ys, 150);
    EXPECT_EQ(ws, 100);
    EXPECT_EQ(hs, 100);
    // Sizes truncate; the corner moves by half of what was lost, in integers.
    shrink(0.66f, 10, 20, 50, 7, xs, ys, ws, hs);
    EXPECT_EQ(ws, 33);
    EXPECT_EQ(hs, 4);
    EXPECT_EQ(xs, 18);
    EXPECT_EQ(ys, 21);
}

TEST(IconLayout, TileSharesAndSlots) {
    const ScreenTile t{1000, 2000, 1000, 1000, 0, nullptr};
    const IconLayout l = iconLayout(t);
    EXPECT_EQ(l.bodyX, 1250);
    EXPECT_EQ(l.bodyY, 2250);
    EXPECT_EQ(l.bodyH, 500);
    EXPECT_EQ(l.inTabX, 1100);
    EXPECT_EQ(l.inLeadX0, 1150);
    EXPECT_EQ(l.inLeadX1, 1250);
    EXPECT_EQ(l.inTabCX, 1125);
    EXPECT_EQ(l.outLeadX0, 1750);
    EXPECT_EQ(l.outLeadX1, 1850);
    EXPECT_EQ(l.outTabCX, 1875);
    EXPECT_EQ(l.tabW, 50);
    // Two slots split the body's height; each tab is a fifth of its slot,
    // centred on the lead.
    const IconSlot a = iconSlot(l, 2, 0), b = iconSlot(l, 2, 1);
    EXPECT_EQ(a.y, 2375);
    EXPECT_EQ(a.tabY, 2350);
    EXPECT_EQ(a.tabH, 50);
    EXPECT_EQ(b.y, 2625);
    EXPECT_EQ(b.tabY, 2600);
}

// A sub-window from pixel (100, 200) to (180, 280): bands ten pixels wide.
TEST(SubWindowBand, BandsOfAPoint) {
    auto band = [](int x, int y) { return subWindowBand(x, y, 100, 200, 180, 280); };
    EXPECT_EQ(band(99, 240), outsideBand);
    EXPECT_EQ(band(181, 240), outsideBand);
    EXPECT_EQ(band(140, 199), outsideBand);
    EXPECT_EQ(band(140, 281), outsideBand);
    EXPECT_EQ(band(100, 200), topLeftBand);
    EXPECT_EQ(band(109, 209), topLeftBand);
    EXPECT_EQ(band(110, 200), topBand);
    EXPECT_EQ(band(170, 200), topBand);  // the right column starts past xe - dX
    EXPECT_EQ(band(171, 200), topRightBand);
    EXPECT_EQ(band(100, 240), leftBand);
    EXPECT_EQ(band(140, 210), insideBand);
    EXPECT_EQ(band(140, 269), insideBand);
    EXPECT_EQ(band(140, 270), bottomBand);  // the bottom row starts at ye - dY
    EXPECT_EQ(band(180, 240), rightBand);
    EXPECT_EQ(band(100, 280), bottomLeftBand);
    EXPECT_EQ(band(180, 280), bottomRightBand);
}

// A band moves the edges it lies along: inside all four, outside none.
TEST(SubWindowBand, EdgesADragMoves) {
    for (int b = topLeftBand; b <= bottomRightBand; b++) {
        const BandEdges e = bandEdges(b);
        EXPECT_EQ(e.top, b == topLeftBand || b == topBand || b == topRightBand) << b;
        EXPECT_EQ(e.bottom, b == bottomLeftBand || b == bottomBand || b == bottomRightBand) << b;
        EXPECT_EQ(e.left, b == topLeftBand || b == leftBand || b == bottomLeftBand) << b;
        EXPECT_EQ(e.right, b == topRightBand || b == rightBand || b == bottomRightBand) << b;
    }
    const BandEdges in = bandEdges(insideBand);
    EXPECT_TRUE(in.left && in.top && in.right && in.bottom);
    for (int b : {static_cast<int>(outsideBand), -1, static_cast<int>(bandCount)}) {
        const BandEdges e = bandEdges(b);
        EXPECT_FALSE(e.left || e.top || e.right || e.bottom) << b;
    }
}
