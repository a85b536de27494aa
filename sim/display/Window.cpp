// The display window: set-up and teardown of the connection, the drawing
// primitives in world coordinates, the view arithmetic, the sub-window and
// the status line. Every server call goes through the port (XPort.h).
#include "display/Window.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Ph4.h"
#include "cmdLine.h"
#include "display/Ph5.h"
#include "display/SvgPort.h"

XPort* (*makeXPort)() = newXlibPort;

const ValueColour valueColours[5] = {
    {ctxZERO, "#F0FFF0"},           // ZERO
    {ctxUNINITIALIZED, "#FFFFFF"},  // UNINITIALIZED
    {ctxXXX, "#FF8C00"},            // XXX
    {ctxHIZ, "#FFEBCD"},            // HIZ
    {ctxONE, "#008000"},            // ONE
};

const int Windex::cursor_shape[10] = {2, 52, 134, 116, 136, 108, 108, 12, 116, 14};

namespace {

// A window-system failure only ends the run, at the run loop's next test.
void endRun() { done = 1; }

const char* const defaultGeometry = "1025x825+100+25";
const int borderWidth = 5;
// Key and button presses and releases, motion with button 1 held,
// exposure, structure notification.
const long windowEventMask = 0x2810D;
// Flags of the size hints when the geometry gave nothing: program-specified
// position and size.
const int programPositionAndSize = 12;
// How long one wait for the first exposure sleeps before looking again.
const int exposureWaitMs = 100;
// Bits of the geometry mask: the position measured from the right or the
// bottom edge of the screen.
const int xFromRight = 0x10, yFromBottom = 0x20;

int clampedSide(int v) { return v < 1 ? 1 : v > largestWindowSide ? largestWindowSide : v; }

// Moves an edge measured from the far side of the screen by the change of
// the window's size, so that the far edge stays where the geometry put it.
int keptFarEdge(int position, int oldSize, int newSize) {
    const long long moved = static_cast<long long>(position) + oldSize - newSize;
    return moved > INT_MAX ? INT_MAX : moved < INT_MIN ? INT_MIN : static_cast<int>(moved);
}

// A command-line colour component (0 … 255; only its low 8 bits count) as
// a 16-bit colour component.
unsigned short colourComponent(int v) { return static_cast<unsigned short>((v * 256) & 0xFFFF); }

// Allocates the colour given by the option triple (r, g, b), or, when all
// three are 0, takes `fallback`. A colour that cannot be allocated ends the
// program, with `what` naming it.
unsigned long optionColour(XPort& port, int r, int g, int b, unsigned long fallback, const char* what) {
    if (r == 0 && g == 0 && b == 0) return fallback;
    unsigned long pixel = 0;
    if (!port.allocColor(colourComponent(r), colourComponent(g), colourComponent(b), pixel)) {
        std::fprintf(stderr, "Can't Alloc %s Pixel\n\n", what);
        std::exit(-1);
    }
    return pixel;
}

}  // namespace

void clampWindowSize(WindowHint& hint, const char* asked) {
    const int w = clampedSide(hint.width), h = clampedSide(hint.height);
    if (w == hint.width && h == hint.height) return;
    std::fprintf(stderr, "Warning -- option -g %s asks for a window size outside 1..%d; clamped to %dx%d.\n", asked,
                 largestWindowSide, w, h);
    std::fflush(stderr);  // seen now, not when the window's run ends
    if (hint.flags & xFromRight) hint.x = keptFarEdge(hint.x, hint.width, w);
    if (hint.flags & yFromBottom) hint.y = keptFarEdge(hint.y, hint.height, h);
    hint.width = w;
    hint.height = h;
}

Windex::Windex(const char* labelString)
    : display(nullptr), hint{0, 0, 0, 0, 0}, foreground(0), background(0), subwin(0), event(), xPixels(0),
      yPixels(0), clips(), numClips(0), panelBand(0) {
    const std::string title = std::string(labelString) + WindowLabelString;
    installXErrorHandlers(endRun);
    resetView();
    setSubWin();
    if (!useXDisplay) return;
    XPort* port = makeXPort();
    if (!port->open()) {
        std::fprintf(stderr, "Unable to open X Window\n");
        delete port;
        return;
    }
    allocateColours(*port);

    hint.flags = port->geometry(XW_geometry, defaultGeometry, borderWidth, hint.x, hint.y, hint.width, hint.height);
    clampWindowSize(hint, XW_geometry);
    if (hint.flags == 0) hint.flags = programPositionAndSize;
    port->createWindow(hint.x, hint.y, hint.width, hint.height, borderWidth, foreground, background);
    port->defineCursor(cursor_shape[0]);
    port->setProperties(title.c_str(), labelString, hint.x, hint.y, hint.width, hint.height, hint.flags);

    createContexts(*port);

    port->selectInputAndMap(windowEventMask);
    display = port;
    resetView();
    setSubWin();
    // The first exposure says the window is on the screen; it is taken and
    // not drawn (the run draws the first picture). Waiting sleeps on the
    // connection instead of polling it in a loop.
    while (!done && !port->nextEvent(event, true)) port->waitReadable(exposureWaitMs);
    port->windowSize(xPixels, yPixels);
}

void Windex::allocateColours(XPort& port) {
    background = optionColour(port, red_bg, green_bg, blue_bg, port.whitePixel(), "background");
    foreground = optionColour(port, red_fg, green_fg, blue_fg, port.blackPixel(), "foreground");
    // The sub-window colour is always allocated: pure red unless given.
    unsigned long sub = 0;
    const bool subGiven = red_sw || green_sw || blue_sw;
    if (!port.allocColor(subGiven ? colourComponent(red_sw) : 65535, subGiven ? colourComponent(green_sw) : 0,
                         subGiven ? colourComponent(blue_sw) : 0, sub)) {
        std::fprintf(stderr, "Can't Alloc subwindow Pixel\n\n");
        std::exit(-1);
    }
    subwin = sub ^ background;
}

void Windex::createContexts(XPort& port) {
    port.createContext(ctxMain);
    port.setColours(ctxMain, foreground, background);
    port.setFunction(ctxMain, false);
    for (int c = ctxONE; c <= ctxBOLD; c++) port.createContext(static_cast<PortContext>(c));
    port.setColours(ctxBOLD, foreground, background);
    port.setFunction(ctxBOLD, false);
    port.setLineAttributes(ctxBOLD, 2, false, false, false);
    // The value colours, in the order of their contexts (ctxONE … ctxHIZ),
    // are not checked: a colour that cannot be had leaves the pixel of the
    // one before (0 for the first).
    unsigned long pixel = 0;
    for (int c = ctxONE; c <= ctxHIZ; c++) {
        for (const ValueColour& v : valueColours) {
            if (v.context != c) continue;
            pixel = port.allocNamedColor(v.spec, pixel);
            port.setColours(v.context, pixel, background);
            port.setFunction(v.context, false);
        }
    }
}

// The picture is the window's repaint drawn on an SVG port set up as the
// window was, at the window's size; the window's own port and colours are
// put back after it. The name is taken with O_EXCL, so a file that exists
// is never overwritten.
void Windex::savePicture() {
    if (!display) return;
    char name[32] = "";
    FILE* file = nullptr;
    for (int n = 1; !file && n < 1000000; n++) {
        std::snprintf(name, sizeof name, "korvax-%d.svg", n);
        const int fd = ::open(name, O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd >= 0) {
            file = fdopen(fd, "wb");
        } else if (errno != EEXIST) {
            std::fprintf(stderr, "%s: cannot be written: %s\n", name, std::strerror(errno));
            return;
        }
    }
    if (!file) return;
    XPort* windowPort = display;
    const unsigned long windowColours[3] = {foreground, background, subwin};
    XPort* picture = newSvgPort(file, name);
    picture->open();
    allocateColours(*picture);
    picture->createWindow(0, 0, xPixels, yPixels, borderWidth, foreground, background);
    createContexts(*picture);
    display = picture;
    repaint();
    display = windowPort;
    foreground = windowColours[0], background = windowColours[1], subwin = windowColours[2];
    const bool failedBefore = pictureWriteFailed();
    picture->close();
    delete picture;
    if (pictureWriteFailed() == failedBefore) std::fprintf(stderr, "Saved the view as %s\n", name);
}

Windex::~Windex() {
    if (!display) return;
    display->close();
    delete display;
}

void Windex::clear() {
    if (display) display->clearArea(0, 0, 0, 0);
}

void Windex::clearArea(int x, int y, int w, int h) {
    if (!display) return;
    const int ws = wScale(w), hs = hScale(h);
    if (ws < 1 || hs < 1) return;
    display->clearArea(xScale(x), yScale(y), ws, hs);
}

void Windex::drawLine(int xs, int ys, int xe, int ye) {
    if (display) display->drawLine(ctxMain, xScale(xs), yScale(ys), xScale(xe), yScale(ye));
}
void Windex::drawLine_BOLD(int xs, int ys, int xe, int ye) {
    if (display) display->drawLine(ctxBOLD, xScale(xs), yScale(ys), xScale(xe), yScale(ye));
}
void Windex::drawRectangle(int x, int y, int w, int h) {
    if (display) display->drawRectangle(ctxMain, xScale(x), yScale(y), wScale(w), hScale(h));
}
void Windex::drawCircle(int x, int y, int w, int h, int angle1, int angle2) {
    if (display) display->drawArc(ctxMain, xScale(x), yScale(y), wScale(w), hScale(h), angle1, angle2);
}
void Windex::drawFilledRectangle(int x, int y, int w, int h) {
    if (display) display->fillRectangle(ctxMain, xScale(x), yScale(y), wScale(w), hScale(h));
}
void Windex::fill(SignalValue v, int x, int y, int w, int h) {
    if (display && v >= ZERO && v <= ONE)
        display->fillRectangle(valueColours[v].context, xScale(x), yScale(y), wScale(w), hScale(h));
}
void Windex::drawFilledCircle(int x, int y, int w, int h, int angle1, int angle2) {
    if (display) display->fillArc(valueColours[ZERO].context, xScale(x), yScale(y), wScale(w), hScale(h), angle1, angle2);
}
void Windex::drawText(int x, int y, const char* s) {
    if (display && s) display->drawImageText(ctxMain, xScale(x), yScale(y), s, static_cast<int>(std::strlen(s)));
}
void Windex::sync() {
    if (display) display->sync();
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

void Windex::showView() const { std::fprintf(stderr, "View: %d %d %d %d\n", viewXs, viewYs, viewXe, viewYe); }

void Windex::setSubWin() {
    const int dx = (viewXe - viewXs) >> 3, dy = (viewYe - viewYs) >> 3;
    subWinXs = viewXs + 3 * dx;
    subWinXe = viewXs + 5 * dx;
    subWinYs = viewYs + 3 * dy;
    subWinYe = viewYs + 5 * dy;
}

void Windex::subWinToViewWin() { setView(subWinXs, subWinYs, subWinXe, subWinYe); }

void Windex::drawSubWindow() {
    if (!display) return;
    display->setLineAttributes(ctxMain, 0, true, true, true);
    display->setFunction(ctxMain, true);
    display->setColours(ctxMain, subwin, background);
    display->drawRectangle(ctxMain, xScale(subWinXs), yScale(subWinYs), wScale(subWinXe - subWinXs),
                           hScale(subWinYe - subWinYs));
    display->setLineAttributes(ctxMain, 0, false, true, true);
    display->setFunction(ctxMain, false);
    display->setColours(ctxMain, foreground, background);
}

void Windex::drawTimeAndQueue(unsigned long t, int q, int s) {
    if (!display) return;
    char text[96];
    std::snprintf(text, sizeof text, "T=%lu Q=%d S=%d        ", t, q, s);
    drawText(viewXs + (viewXe - viewXs) / 32, viewYs + (viewYe - viewYs) / 32, text);
}

void Windex::readWindowSize() {
    display->windowSize(xPixels, yPixels);
    if (panelBand <= 0) return;
    xPixels = xPixels - panelBand < 1 ? 1 : xPixels - panelBand;
    // The child's size is inside its one-pixel border.
    display->showPanel(xPixels, 0, panelBand - 2, yPixels - 2, foreground, background);
}

void Windex::repaint() {
    PhaseFive& p5 = *phaseFive;
    clear();
    p5.drawSchematic();
    if (p5.interconnectFlag) p5.connect();
    p5.drawPanes();
    drawSubWindow();
}
