// The display window on the screen: set-up and teardown of the connection,
// the colours, the drawing primitives in world coordinates, the sub-window's
// outline and cursor, and the status line. Every server call goes through
// the port (XPort.h); the view's arithmetic is Windex.cpp's.
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

XPort* (*makeXPort)() = newXlibPort;

const ValueColour valueColours[5] = {
    {ctxZERO, "#F0FFF0"},           // ZERO
    {ctxUNINITIALIZED, "#FFFFFF"},  // UNINITIALIZED
    {ctxXXX, "#FF8C00"},            // XXX
    {ctxHIZ, "#FFEBCD"},            // HIZ
    {ctxONE, "#008000"},            // ONE
};

const int Screen::cursor_shape[10] = {2, 52, 134, 116, 136, 108, 108, 12, 116, 14};

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

Screen::Screen(const char* labelString)
    : display(nullptr), view(), hint{0, 0, 0, 0, 0}, foreground(0), background(0), subwin(0), event(), clips(),
      numClips(0), panelBand(0) {
    const std::string title = std::string(labelString) + WindowLabelString;
    installXErrorHandlers(endRun);
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
    // The first exposure says the window is on the screen; it is taken and
    // not drawn (the run draws the first picture). Waiting sleeps on the
    // connection instead of polling it in a loop.
    while (!done && !port->nextEvent(event, true)) port->waitReadable(exposureWaitMs);
    port->windowSize(view.xPixels, view.yPixels);
}

void Screen::allocateColours(XPort& port) {
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

void Screen::createContexts(XPort& port) {
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

FILE* createPictureFile(char (&name)[32]) {
    for (int n = 1; n < 1000000; n++) {
        std::snprintf(name, sizeof name, "korvax-%d.svg", n);
        const int fd = ::open(name, O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd >= 0) return fdopen(fd, "wb");
        if (errno != EEXIST) {
            std::fprintf(stderr, "%s: cannot be written: %s\n", name, std::strerror(errno));
            return nullptr;
        }
    }
    return nullptr;
}

ScreenSaved Screen::beginPicture(XPort* picture) {
    const ScreenSaved saved{display, foreground, background, subwin};
    picture->open();
    allocateColours(*picture);
    picture->createWindow(0, 0, view.xPixels, view.yPixels, borderWidth, foreground, background);
    createContexts(*picture);
    display = picture;
    return saved;
}

void Screen::endPicture(const ScreenSaved& saved) {
    display = saved.port;
    foreground = saved.foreground;
    background = saved.background;
    subwin = saved.subwin;
}

Screen::~Screen() {
    if (!display) return;
    display->close();
    delete display;
}

void Screen::clear() {
    if (display) display->clearArea(0, 0, 0, 0);
}

void Screen::clearArea(int x, int y, int w, int h) {
    if (!display) return;
    const int ws = view.wScale(w), hs = view.hScale(h);
    if (ws < 1 || hs < 1) return;
    display->clearArea(view.xScale(x), view.yScale(y), ws, hs);
}

void Screen::drawLine(int xs, int ys, int xe, int ye) {
    if (display) display->drawLine(ctxMain, view.xScale(xs), view.yScale(ys), view.xScale(xe), view.yScale(ye));
}
void Screen::drawLine_BOLD(int xs, int ys, int xe, int ye) {
    if (display) display->drawLine(ctxBOLD, view.xScale(xs), view.yScale(ys), view.xScale(xe), view.yScale(ye));
}
void Screen::drawRectangle(int x, int y, int w, int h) {
    if (display) display->drawRectangle(ctxMain, view.xScale(x), view.yScale(y), view.wScale(w), view.hScale(h));
}
void Screen::drawCircle(int x, int y, int w, int h, int angle1, int angle2) {
    if (display)
        display->drawArc(ctxMain, view.xScale(x), view.yScale(y), view.wScale(w), view.hScale(h), angle1, angle2);
}
void Screen::drawFilledRectangle(int x, int y, int w, int h) {
    if (display) display->fillRectangle(ctxMain, view.xScale(x), view.yScale(y), view.wScale(w), view.hScale(h));
}
void Screen::fill(SignalValue v, int x, int y, int w, int h) {
    if (display && v >= ZERO && v <= ONE)
        display->fillRectangle(valueColours[v].context, view.xScale(x), view.yScale(y), view.wScale(w),
                               view.hScale(h));
}
void Screen::drawFilledCircle(int x, int y, int w, int h, int angle1, int angle2) {
    if (display)
        display->fillArc(valueColours[ZERO].context, view.xScale(x), view.yScale(y), view.wScale(w), view.hScale(h),
                         angle1, angle2);
}
void Screen::drawText(int x, int y, const char* s) {
    if (display && s)
        display->drawImageText(ctxMain, view.xScale(x), view.yScale(y), s, static_cast<int>(std::strlen(s)));
}
void Screen::sync() {
    if (display) display->sync();
}

void Screen::showView() const {
    std::fprintf(stderr, "View: %d %d %d %d\n", view.viewXs, view.viewYs, view.viewXe, view.viewYe);
}

void Screen::drawSubWindow() {
    if (!display) return;
    display->setLineAttributes(ctxMain, 0, true, true, true);
    display->setFunction(ctxMain, true);
    display->setColours(ctxMain, subwin, background);
    display->drawRectangle(ctxMain, view.xScale(view.subWinXs), view.yScale(view.subWinYs),
                           view.wScale(view.subWinXe - view.subWinXs), view.hScale(view.subWinYe - view.subWinYs));
    display->setLineAttributes(ctxMain, 0, false, true, true);
    display->setFunction(ctxMain, false);
    display->setColours(ctxMain, foreground, background);
}

void Screen::drawTimeAndQueue(unsigned long t, int q, int s) {
    if (!display) return;
    char text[96];
    std::snprintf(text, sizeof text, "T=%lu Q=%d S=%d        ", t, q, s);
    const Windex& v = view;
    drawText(v.viewXs + (v.viewXe - v.viewXs) / 32, v.viewYs + (v.viewYe - v.viewYs) / 32, text);
}

void Screen::readWindowSize() {
    int& xPixels = view.xPixels;
    display->windowSize(xPixels, view.yPixels);
    if (panelBand <= 0) return;
    xPixels = xPixels - panelBand < 1 ? 1 : xPixels - panelBand;
    // The child's size is inside its one-pixel border.
    display->showPanel(xPixels, 0, panelBand - 2, view.yPixels - 2, foreground, background);
}

int Screen::pointInSubWindow(int x, int y) {
    const int band = view.subWindowBandAt(x, y);
    setCursor(band);
    return band;
}

void Screen::adjustSubWindow(int state, int xn, int yn, int xo, int yo) {
    if (!view.subWindowDraggable(state)) return;
    drawSubWindow();  // XOR: removes the old outline
    view.moveSubWindow(state, xn, yn, xo, yo);
    drawSubWindow();
}
