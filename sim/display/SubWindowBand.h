// The bands of the dashed sub-window, as the mouse meets them: which band a
// pixel lies in, and which edges a drag begun in a band moves. Pure
// functions of pixel positions; the view moves the edges (Windex.h) and the
// window shows the band's cursor (Window.h).
#ifndef KORVAX_SUBWINDOWBAND_H
#define KORVAX_SUBWINDOWBAND_H

// The band codes: 0 outside, 1 inside away from the borders, then the
// border bands, each an eighth of the sub-window wide or high.
enum SubWindowBand {
    outsideBand = 0,
    insideBand = 1,
    topLeftBand = 2,
    topBand = 3,
    topRightBand = 4,
    leftBand = 5,
    rightBand = 6,
    bottomLeftBand = 7,
    bottomBand = 8,
    bottomRightBand = 9,
    bandCount = 10
};

// The band of pixel (x, y) in the sub-window whose edges are the pixel
// positions xs, ys (left, top) and xe, ye (right, bottom), all inclusive.
// dX = (xe - xs) >> 3 and dY = (ye - ys) >> 3: the top row is y < ys + dY,
// the bottom row y >= ye - dY; the left column x < xs + dX, the right
// column x > xe - dX.
int subWindowBand(int x, int y, int xs, int ys, int xe, int ye);

// The edges a drag begun in a band moves.
struct BandEdges {
    bool left, top, right, bottom;
};
// Inside: all four (the rectangle moves); a side band its side; a corner
// its two sides; outside, and any code that is no band: none.
BandEdges bandEdges(int band);

#endif
