// The display window in its display-less form: the view arithmetic, the
// error handlers and the drawing operations, which without a connection
// return at once. The connection itself, and with it the Xlib drawing and
// event polling, comes with the display proper.
#include "Window.h"

#include <X11/Xlib.h>

#include <climits>
#include <cmath>
#include <cstdio>

#include "Ph4.h"
#include "display/Ph5.h"

namespace {

// X error handlers: a window-system failure only ends the run, at the run
// loop's next test.
int catchError(Display*, XErrorEvent*) {
    done = 1;
    return 0;
}
int catchIOError(Display*) {
    done = 1;
    return 0;
}

// Truncation toward zero, saturated: a degenerate or mirrored view can make
// the quotients of the scaling infinite or not a number, and converting
// those to int would be undefined. Ordinary values truncate as a cast does.
int toInt(float f) {
    if (std::isnan(f)) return 0;
    if (f >= 2147483648.0f) return INT_MAX;
    if (f <= -2147483648.0f) return INT_MIN;
    return static_cast<int>(f);
}

// The difference of two world coordinates as a float. Formed in 64 bits so
// that the edges of a mirrored view cannot overflow the subtraction.
float extent(int from, int to) { return static_cast<float>(static_cast<long long>(to) - from); }

}  // namespace

Windex::Windex(const char*) : display(nullptr), xPixels(0), yPixels(0) {
    XSetErrorHandler(catchError);
    XSetIOErrorHandler(catchIOError);
    resetView();
    setSubWin();
}

// Without a connection there is nothing to draw on: every primitive has no
// effect. The Xlib calls come with the connection.
void Windex::clear() {}
void Windex::clearArea(int, int, int, int) {}
void Windex::drawLine(int, int, int, int) {}
void Windex::drawLine_BOLD(int, int, int, int) {}
void Windex::drawRectangle(int, int, int, int) {}
void Windex::drawCircle(int, int, int, int, int, int) {}
void Windex::drawFilledRectangle(int, int, int, int) {}
void Windex::drawFilledRectangle_ONE(int, int, int, int) {}
void Windex::drawFilledRectangle_ZERO(int, int, int, int) {}
void Windex::drawFilledRectangle_UNINITIALIZED(int, int, int, int) {}
void Windex::drawFilledRectangle_XXX(int, int, int, int) {}
void Windex::drawFilledRectangle_HIZ(int, int, int, int) {}
void Windex::drawFilledCircle(int, int, int, int, int, int) {}
void Windex::drawText(int, int, char*) {}

int Windex::xScale(int x) const {
    return toInt(static_cast<float>(xPixels) * (extent(viewXs, x) / extent(viewXs, viewXe)));
}
int Windex::wScale(int w) const {
    return toInt(static_cast<float>(xPixels) * (static_cast<float>(w) / extent(viewXs, viewXe)));
}
int Windex::yScale(int y) const {
    return toInt(static_cast<float>(yPixels) * (extent(viewYs, y) / extent(viewYs, viewYe)));
}
int Windex::hScale(int h) const {
    return toInt(static_cast<float>(yPixels) * (static_cast<float>(h) / extent(viewYs, viewYe)));
}

void Windex::reviseView(int xa, int ya, int xb, int yb) {
    if (xPixels == 0 || yPixels == 0) return;
    const float w = extent(viewXs, viewXe), h = extent(viewYs, viewYe);
    const float xs = static_cast<float>(viewXs), ys = static_cast<float>(viewYs);
    const float xp = static_cast<float>(xPixels), yp = static_cast<float>(yPixels);
    // Product before quotient, every edge from the old view.
    int nxs = toInt(xs + w * static_cast<float>(xa) / xp);
    int nys = toInt(ys + h * static_cast<float>(ya) / yp);
    int nxe = toInt(xs + w * static_cast<float>(xb) / xp);
    int nye = toInt(ys + h * static_cast<float>(yb) / yp);
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

void Windex::showView() const { std::fprintf(stderr, "View: %d %d %d %d\n", viewXs, viewYs, viewXe, viewYe); }

void Windex::setSubWin() {
    const int dx = (viewXe - viewXs) >> 3, dy = (viewYe - viewYs) >> 3;
    subWinXs = viewXs + 3 * dx;
    subWinXe = viewXs + 5 * dx;
    subWinYs = viewYs + 3 * dy;
    subWinYe = viewYs + 5 * dy;
}

void Windex::subWinToViewWin() { setView(subWinXs, subWinYs, subWinXe, subWinYe); }

// Both draw only through a connection (see the primitives above).
void Windex::drawSubWindow() {}
void Windex::drawTimeAndQueue(unsigned long, int, int) {}

void Windex::repaint() {
    PhaseFive& p5 = *phaseFive;
    clear();
    p5.drawSchematic();
    if (p5.interconnectFlag) p5.connect();
    p5.drawPanes();
    drawSubWindow();
}

// Without a connection no event is ever pending.
void Windex::checkEvent(int& eventType, int& keyChar) {
    eventType = 0;
    keyChar = 0;
}

int anyWindowEvents() {
    int eventType, keyChar;
    phaseFive->windexPointer->checkEvent(eventType, keyChar);
    // Without a connection nothing is ever pending; the translation of keys
    // and buttons comes with the connection.
    return eventType != 0;
}
