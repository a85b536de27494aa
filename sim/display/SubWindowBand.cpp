// Sub-window bands.
#include "display/SubWindowBand.h"

int subWindowBand(int x, int y, int xs, int ys, int xe, int ye) {
    if (x < xs || x > xe || y < ys || y > ye) return outsideBand;
    const int dX = (xe - xs) >> 3, dY = (ye - ys) >> 3;
    static const int bands[3][3] = {{topLeftBand, topBand, topRightBand},
                                    {leftBand, insideBand, rightBand},
                                    {bottomLeftBand, bottomBand, bottomRightBand}};
    const int row = y < ys + dY ? 0 : y < ye - dY ? 1 : 2;
    const int column = x < xs + dX ? 0 : x <= xe - dX ? 1 : 2;
    return bands[row][column];
}

BandEdges bandEdges(int band) {
    static const BandEdges edges[bandCount] = {
        {false, false, false, false},  // outside: nothing moves
        {true, true, true, true},      // inside: the whole rectangle
        {true, true, false, false},    // top-left corner
        {false, true, false, false},   // top
        {false, true, true, false},    // top-right corner
        {true, false, false, false},   // left
        {false, false, true, false},   // right
        {true, false, false, true},    // bottom-left corner
        {false, false, false, true},   // bottom
        {false, false, true, true},    // bottom-right corner
    };
    if (band < 0 || band >= bandCount) return edges[outsideBand];
    return edges[band];
}
