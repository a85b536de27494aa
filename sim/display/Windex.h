// The view: which part of the schematic plane the window shows, scaled to
// its pixels, and the dashed sub-window within it. Pure arithmetic of
// world coordinates (0 … 16777215 on both axes, World.h) and pixels, with
// no connection and no globals: the window on the screen (Window.h) draws
// through one of these, and a test can set one up alone.
//
// With no pixels (no display: xPixels and yPixels 0) every scaled position
// is 0, and the operations that measure against pixels (reviseView,
// moveSubWindow) keep what they have.
#ifndef KORVAX_WINDEX_H
#define KORVAX_WINDEX_H

class Windex {
public:
    int xPixels = 0;   // width of the schematic's part of the window, pixels; 0 without a display
    int yPixels = 0;   // height, pixels; 0 without a display
    int viewXs = 0;    // world x of the window's left edge
    int viewYs = 0;    // world y of the window's top edge
    int viewXe = 0;    // world x of the window's right edge
    int viewYe = 0;    // world y of the window's bottom edge
    int subWinXs = 0;  // the dashed sub-window rectangle, world coordinates: left
    int subWinYs = 0;  // top
    int subWinXe = 0;  // right
    int subWinYe = 0;  // bottom

    // The whole plane, the sub-window in its middle quarter.
    Windex();

    // World position or extent to pixels under the present view, single
    // precision, truncated towards zero (World.h).
    int xScale(int x) const;
    int yScale(int y) const;
    int wScale(int w) const;
    int hScale(int h) const;

    // Zooms to the rectangle between pixel positions (xa, ya) and (xb, yb),
    // all four edges computed from the old view, without ordering or
    // clamping. Without pixels the view is kept, since there is nothing to
    // measure against.
    void reviseView(int xa, int ya, int xb, int yb);
    void setView(int xs, int ys, int xe, int ye);
    void getView(int* xs, int* ys, int* xe, int* ye) const;
    // The whole plane.
    void resetView();

    // Puts the sub-window in the middle quarter of the view (3/8 … 5/8).
    void setSubWin();
    // Makes the sub-window the view.
    void subWinToViewWin();
    // The band of the sub-window that pixel (x, y) lies in
    // (SubWindowBand.h): 0 outside, 1 inside away from the borders, 2 … 9
    // the border bands.
    int subWindowBandAt(int x, int y) const;
    // Whether a drag begun in band `state` moves the sub-window at all: a
    // band code 0 … 9 (outside moves no edge, yet counts) and pixels to
    // measure the motion against.
    bool subWindowDraggable(int state) const;
    // Moves the sub-window edges that a drag begun in band `state` moves
    // (bandEdges), by the pointer's motion from pixel (xo, yo) to (xn, yn)
    // in world units, single precision, product before quotient. Nothing
    // when the drag is not draggable; no order or minimum size is kept, so
    // an edge dragged past its opposite inverts the rectangle.
    void moveSubWindow(int state, int xn, int yn, int xo, int yo);
};

#endif
