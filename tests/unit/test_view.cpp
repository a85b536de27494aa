// The view alone: zooming and scaling, and the sub-window's bands and drags,
// on a bare Windex with no window, no port and no circuit.
#include <gtest/gtest.h>

#include <climits>

#include "display/SubWindowBand.h"
#include "display/Windex.h"
#include "display/World.h"

TEST(View, Arithmetic) {
    Windex w;
    w.xPixels = 1025;
    w.yPixels = 825;
    w.reviseView(100, 100, 612, 512);
    EXPECT_EQ(w.viewXs, 1636801);
    EXPECT_EQ(w.viewXe, 10017225);
    EXPECT_EQ(w.viewYs, 2033601);
    EXPECT_EQ(w.viewYe, 10412041);
    w.resetView();
    w.reviseView(0, 0, 1025, 825);  // the whole window: unchanged up to rounding
    EXPECT_EQ(w.viewXs, 0);
    EXPECT_NEAR(w.viewXe, 16777215, 1);
    EXPECT_NEAR(w.viewYe, 16777215, 1);
    w.resetView();
    EXPECT_EQ(w.xScale(16777215), 1025);
    EXPECT_EQ(w.hScale(16777215 / 2), 412);
    // Without pixels (no display) a zoom, as -z asks for, keeps the view.
    w.xPixels = 0;
    w.reviseView(10, 20, 300, 400);
    EXPECT_EQ(w.viewXs, 0);
    EXPECT_NEAR(w.viewYe, 16777215, 1);
    w.xPixels = 1025;
    // A zoom to a single point gives an empty view; scaling through it
    // saturates instead of converting infinity.
    w.reviseView(10, 10, 10, 10);
    EXPECT_EQ(w.viewXs, w.viewXe);
    EXPECT_EQ(w.xScale(w.viewXs + 1), INT_MAX);
    EXPECT_EQ(w.xScale(w.viewXs), 0);
    w.subWinToViewWin();
    EXPECT_EQ(w.viewXs, w.subWinXs);
    EXPECT_EQ(w.viewYe, w.subWinYe);
}

// A view of world 0 … 10250 by 0 … 8250 on 1025 x 825 pixels: ten world
// units a pixel, so the sub-window 3000 … 5000 is pixels 300 … 500.
Windex tenUnitsAPixel() {
    Windex w;
    w.xPixels = 1025;
    w.yPixels = 825;
    w.setView(0, 0, 10250, 8250);
    w.subWinXs = w.subWinYs = 3000;
    w.subWinXe = w.subWinYe = 5000;
    return w;
}

TEST(View, StartsOnTheWholePlaneWithTheSubWindowInItsMiddleQuarter) {
    const Windex w;
    EXPECT_EQ(w.viewXs, 0);
    EXPECT_EQ(w.viewYe, worldMaximum);
    const int eighth = worldMaximum >> 3;
    EXPECT_EQ(w.subWinXs, 3 * eighth);
    EXPECT_EQ(w.subWinYe, 5 * eighth);
    EXPECT_EQ(w.xScale(worldMaximum), 0);  // no pixels yet: everything at 0
}

TEST(View, SubWindowBandsAndDragsWithoutAWindow) {
    Windex w = tenUnitsAPixel();
    EXPECT_EQ(w.subWindowBandAt(299, 400), outsideBand);
    EXPECT_EQ(w.subWindowBandAt(400, 400), insideBand);
    EXPECT_EQ(w.subWindowBandAt(300, 300), topLeftBand);
    EXPECT_EQ(w.subWindowBandAt(500, 500), bottomRightBand);
    // A drag from the inside by (+7, +3) pixels moves the whole rectangle
    // (+70, +30) world units; from the right band only the right edge.
    w.moveSubWindow(insideBand, 407, 403, 400, 400);
    EXPECT_EQ(w.subWinXs, 3070);
    EXPECT_EQ(w.subWinYe, 5030);
    w.moveSubWindow(rightBand, 407, 403, 400, 400);
    EXPECT_EQ(w.subWinXs, 3070);
    EXPECT_EQ(w.subWinXe, 5140);
    EXPECT_EQ(w.subWinYs, 3030);
    // Outside is a drag that moves nothing; codes past the bands are none.
    EXPECT_TRUE(w.subWindowDraggable(outsideBand));
    w.moveSubWindow(outsideBand, 900, 900, 0, 0);
    EXPECT_EQ(w.subWinXs, 3070);
    for (int code : {-1, static_cast<int>(bandCount), INT_MAX}) {
        EXPECT_FALSE(w.subWindowDraggable(code)) << code;
        w.moveSubWindow(code, 900, 900, 0, 0);
        EXPECT_EQ(w.subWinXe, 5140) << code;
    }
    // Without pixels there is no motion to measure: nothing moves, nothing
    // is divided by zero.
    w.yPixels = 0;
    EXPECT_FALSE(w.subWindowDraggable(insideBand));
    w.moveSubWindow(insideBand, 900, 900, 0, 0);
    EXPECT_EQ(w.subWinYs, 3030);
}
