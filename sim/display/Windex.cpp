// The view's arithmetic: scaling world coordinates to pixels, zooming, and
// the sub-window's place and drags.
#include "display/Windex.h"

#include "display/SubWindowBand.h"
#include "display/World.h"

Windex::Windex() {
    resetView();
    setSubWin();
}

int Windex::xScale(int x) const {
    return truncateToInt(static_cast<float>(xPixels) * (worldExtent(viewXs, x) / worldExtent(viewXs, viewXe)));
}
int Windex::wScale(int w) const {
    return truncateToInt(static_cast<float>(xPixels) * (static_cast<float>(w) / worldExtent(viewXs, viewXe)));
}
int Windex::yScale(int y) const {
    return truncateToInt(static_cast<float>(yPixels) * (worldExtent(viewYs, y) / worldExtent(viewYs, viewYe)));
}
int Windex::hScale(int h) const {
    return truncateToInt(static_cast<float>(yPixels) * (static_cast<float>(h) / worldExtent(viewYs, viewYe)));
}

void Windex::reviseView(int xa, int ya, int xb, int yb) {
    if (xPixels == 0 || yPixels == 0) return;
    const float w = worldExtent(viewXs, viewXe), h = worldExtent(viewYs, viewYe);
    const float xs = static_cast<float>(viewXs), ys = static_cast<float>(viewYs);
    const float xp = static_cast<float>(xPixels), yp = static_cast<float>(yPixels);
    // Product before quotient, every edge from the old view.
    int nxs = truncateToInt(xs + w * static_cast<float>(xa) / xp);
    int nys = truncateToInt(ys + h * static_cast<float>(ya) / yp);
    int nxe = truncateToInt(xs + w * static_cast<float>(xb) / xp);
    int nye = truncateToInt(ys + h * static_cast<float>(yb) / yp);
    setView(nxs, nys, nxe, nye);
}

void Windex::setView(int xs, int ys, int xe, int ye) {
    viewXs = xs;
    viewYs = ys;
    viewXe = xe;
    viewYe = ye;
}

void Windex::getView(int* xs, int* ys, int* xe, int* ye) const {
    *xs = viewXs;
    *ys = viewYs;
    *xe = viewXe;
    *ye = viewYe;
}

void Windex::resetView() { setView(0, 0, worldMaximum, worldMaximum); }

void Windex::setSubWin() {
    const int dx = (viewXe - viewXs) >> 3, dy = (viewYe - viewYs) >> 3;
    subWinXs = viewXs + 3 * dx;
    subWinXe = viewXs + 5 * dx;
    subWinYs = viewYs + 3 * dy;
    subWinYe = viewYs + 5 * dy;
}

void Windex::subWinToViewWin() { setView(subWinXs, subWinYs, subWinXe, subWinYe); }

int Windex::subWindowBandAt(int x, int y) const {
    return subWindowBand(x, y, xScale(subWinXs), yScale(subWinYs), xScale(subWinXe), yScale(subWinYe));
}

bool Windex::subWindowDraggable(int state) const {
    // No pixels, no motion to measure (and nothing to divide by).
    return state >= 0 && state < bandCount && xPixels > 0 && yPixels > 0;
}

void Windex::moveSubWindow(int state, int xn, int yn, int xo, int yo) {
    if (!subWindowDraggable(state)) return;
    const float dx = worldExtent(viewXs, viewXe) * static_cast<float>(xn - xo) / static_cast<float>(xPixels);
    const float dy = worldExtent(viewYs, viewYe) * static_cast<float>(yn - yo) / static_cast<float>(yPixels);
    auto moved = [](int edge, float d) { return truncateToInt(static_cast<float>(edge) + d); };
    const BandEdges m = bandEdges(state);
    if (m.left) subWinXs = moved(subWinXs, dx);
    if (m.top) subWinYs = moved(subWinYs, dy);
    if (m.right) subWinXe = moved(subWinXe, dx);
    if (m.bottom) subWinYe = moved(subWinYe, dy);
}
