// The real port: each primitive of XPort.h is one or a few Xlib calls on
// the window (or on its child, the watch panel). This is the only unit
// that includes Xlib.
#include "display/XPort.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <time.h>

#include <csignal>
#include <cstdio>
#include <cstring>

#include "display/PortBatch.h"

namespace {

// While Xlib holds no event, the connection is read at most this often by
// nextEvent: one read is a system call whether or not anything came, and
// the run loop asks every second cycle, tens of thousands of times a
// second. A key or an exposure waits at most this long for its read.
const long long readIntervalNs = 1000000;

// The monotonic clock in nanoseconds.
long long nowNs() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// The handler the window installed; called by both X error handlers.
void (*errorHook)() = nullptr;

// Whether the server has refused a request since the handlers were
// installed (xProtocolErrorSeen).
bool protocolErrorSeen = false;

// A refused request is said once, the first: the ones after it mostly
// follow from it.
int catchError(Display* display, XErrorEvent* e) {
    if (!protocolErrorSeen) {
        char text[160] = "";
        XGetErrorText(display, e->error_code, text, sizeof text);
        std::fprintf(stderr, "X server error: %s in request %d; the run ends with status 1\n", text,
                     static_cast<int>(e->request_code));
        std::fflush(stderr);
    }
    protocolErrorSeen = true;
    if (errorHook) errorHook();
    return 0;
}
int catchIOError(Display*) {
    if (errorHook) errorHook();
    return 0;
}

// Lines, outlines and clears pass through a DrawBatch (PortBatch.h), which
// sends them as fewer requests for the same pixels; every other call sends
// what it holds first, so that nothing is drawn out of its order.
class XlibPort : public XPort, private BatchSink {
public:
    Display* display = nullptr;  // the connection; null until open
    Window window = 0;           // the top-level window; 0 until created
    Window panel = 0;            // the watch panel, a child of `window`; 0 until first shown
    int screen = 0;              // default screen number
    Colormap colormap = 0;       // default colormap of that screen
    GC gc[portContextCount] = {};  // the contexts by PortContext; null until created
    Atom deleteWindow = 0;       // WM_DELETE_WINDOW, to recognise a close request
    struct sigaction pipeBefore = {};  // SIGPIPE's disposition before the connection opened
    long long nextReadNs = 0;    // nextEvent reads the connection from this time on (nowNs)
    DrawBatch batch{*this};      // drawing held back until the next other call

    // While the connection is open, SIGPIPE is ignored: a write to a server
    // that has gone then fails with EPIPE, which Xlib reports to the I/O
    // error handler and ends the program with status 1, as a failed read
    // does, instead of the signal killing it.
    bool open() override {
        display = XOpenDisplay("");
        if (!display) return false;
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGPIPE, &ignore, &pipeBefore);
        screen = DefaultScreen(display);
        colormap = DefaultColormap(display, screen);
        return true;
    }
    unsigned long whitePixel() override { return WhitePixel(display, screen); }
    unsigned long blackPixel() override { return BlackPixel(display, screen); }
    bool allocColor(unsigned short red, unsigned short green, unsigned short blue,
                    unsigned long& pixel) override {
        XColor c;
        std::memset(&c, 0, sizeof c);
        c.red = red;
        c.green = green;
        c.blue = blue;
        c.flags = DoRed | DoGreen | DoBlue;
        if (!XAllocColor(display, colormap, &c)) return false;
        pixel = c.pixel;
        return true;
    }
    unsigned long allocNamedColor(const char* spec, unsigned long previous) override {
        XColor c;
        std::memset(&c, 0, sizeof c);
        c.pixel = previous;
        XParseColor(display, colormap, spec, &c);
        XAllocColor(display, colormap, &c);
        return c.pixel;
    }
    int geometry(const char* user, const char* fallback, int border, int& x, int& y, int& w,
                 int& h) override {
        return XGeometry(display, screen, user, fallback, static_cast<unsigned>(border), 1, 1, 0, 0, &x, &y, &w,
                         &h);
    }
    void createWindow(int x, int y, int w, int h, int border, unsigned long borderPixel,
                      unsigned long backgroundPixel) override {
        window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y, static_cast<unsigned>(w),
                                     static_cast<unsigned>(h), static_cast<unsigned>(border), borderPixel,
                                     backgroundPixel);
        // Ask the window manager for a close request instead of having it
        // cut the connection.
        deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display, window, &deleteWindow, 1);
    }
    void setProperties(const char* windowName, const char* iconName, int x, int y, int w, int h,
                       int hintFlags) override {
        XSizeHints hint;
        std::memset(&hint, 0, sizeof hint);
        hint.x = x;
        hint.y = y;
        hint.width = w;
        hint.height = h;
        hint.flags = hintFlags;
        XSetStandardProperties(display, window, windowName, iconName, None, nullptr, 0, &hint);
    }
    void createContext(PortContext c) override { gc[c] = XCreateGC(display, window, 0, nullptr); }
    void selectInputAndMap(long eventMask) override {
        XSelectInput(display, window, eventMask);
        XMapRaised(display, window);
    }
    void windowSize(int& w, int& h) override {
        batch.send();
        XWindowAttributes a;
        XGetWindowAttributes(display, window, &a);
        w = a.width;
        h = a.height;
    }
    void close() override {
        batch.send();
        // What was never made is not freed (closing the connection frees
        // the rest of the server's side).
        if (gc[ctxMain]) XFreeGC(display, gc[ctxMain]);
        if (window) XDestroyWindow(display, window);
        XCloseDisplay(display);
        display = nullptr;
        sigaction(SIGPIPE, &pipeBefore, nullptr);
    }

    void setColours(PortContext c, unsigned long foreground, unsigned long background) override {
        batch.send();
        XSetBackground(display, gc[c], background);
        XSetForeground(display, gc[c], foreground);
    }
    void setFunction(PortContext c, bool exclusiveOr) override {
        batch.function(c, exclusiveOr);
        XSetFunction(display, gc[c], exclusiveOr ? GXxor : GXcopy);
    }
    void setLineAttributes(PortContext c, int width, bool dashed, bool roundCap, bool roundJoin) override {
        batch.lineStyle(c, dashed);
        XSetLineAttributes(display, gc[c], static_cast<unsigned>(width), dashed ? LineOnOffDash : LineSolid,
                           roundCap ? CapRound : CapButt, roundJoin ? JoinRound : JoinBevel);
    }
    void setClipRectangles(const PortRect* r, int n) override {
        batch.clip(ctxMain, true);
        XRectangle x[16];
        if (n > 16) n = 16;
        for (int i = 0; i < n; i++) {
            x[i].x = static_cast<short>(r[i].x);
            x[i].y = static_cast<short>(r[i].y);
            x[i].width = static_cast<unsigned short>(r[i].w);
            x[i].height = static_cast<unsigned short>(r[i].h);
        }
        XSetClipRectangles(display, gc[ctxMain], 0, 0, x, n, Unsorted);
    }
    void clearClip() override {
        batch.clip(ctxMain, false);
        XSetClipMask(display, gc[ctxMain], None);
    }

    void clearArea(int x, int y, int w, int h) override { batch.clearArea(x, y, w, h); }
    void drawLine(PortContext c, int x1, int y1, int x2, int y2) override { batch.line(c, x1, y1, x2, y2); }
    void drawRectangle(PortContext c, int x, int y, int w, int h) override { batch.rectangle(c, x, y, w, h); }
    void fillRectangle(PortContext c, int x, int y, int w, int h) override {
        batch.beforeFill(c, x, y, w, h);
        XFillRectangle(display, window, gc[c], x, y, static_cast<unsigned>(w), static_cast<unsigned>(h));
    }
    void drawArc(PortContext c, int x, int y, int w, int h, int angle1, int angle2) override {
        batch.send();
        XDrawArc(display, window, gc[c], x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), angle1, angle2);
    }
    void fillArc(PortContext c, int x, int y, int w, int h, int angle1, int angle2) override {
        batch.send();
        XFillArc(display, window, gc[c], x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), angle1, angle2);
    }
    void drawImageText(PortContext c, int x, int y, const char* s, int n) override {
        batch.send();
        XDrawImageString(display, window, gc[c], x, y, s, n);
    }
    void defineCursor(int glyph) override {
        batch.send();
        Cursor cursor = XCreateFontCursor(display, static_cast<unsigned>(glyph));
        XDefineCursor(display, window, cursor);
    }
    void flush() override {
        batch.send();
        XFlush(display);
    }
    void sync() override {
        batch.send();
        XSync(display, False);
    }

    // With nothing queued and the last read less than readIntervalNs ago,
    // nothing is read or sent: "none pending". Otherwise the checks below
    // read (and send what is buffered) as Xlib does for each of them.
    bool nextEvent(PortEvent& e, bool exposuresOnly) override {
        std::memset(&e, 0, sizeof e);
        batch.send();
        if (!exposuresOnly && XQLength(display) == 0) {
            const long long now = nowNs();
            if (now < nextReadNs) return false;
            nextReadNs = now + readIntervalNs;
        }
        XEvent x;
        bool got = exposuresOnly ? XCheckWindowEvent(display, window, ExposureMask, &x)
                                 : XCheckWindowEvent(display, window, ~0L, &x);
        // Events no mask selects: a keyboard mapping change and the window
        // manager's messages.
        if (!got && !exposuresOnly && panel) got = XCheckWindowEvent(display, panel, ExposureMask, &x);
        if (!got && !exposuresOnly)
            got = XCheckTypedEvent(display, MappingNotify, &x) ||
                  XCheckTypedWindowEvent(display, window, ClientMessage, &x);
        if (!got) return false;
        translate(x, e);
        return true;
    }
    bool waitReadable(int timeoutMs) override {
        batch.send();
        XFlush(display);
        if (XEventsQueued(display, QueuedAlready) > 0) return true;
        pollfd p;
        p.fd = ConnectionNumber(display);
        p.events = POLLIN;
        p.revents = 0;
        const bool readable = poll(&p, 1, timeoutMs) > 0;
        // What woke the wait is read by the next nextEvent, not held back.
        if (readable) nextReadNs = 0;
        return readable;
    }

    // The batch's requests. Coordinates and sizes are cut to the
    // protocol's 16 bits as XDrawLine and XDrawRectangle cut them.
    void segments(PortContext c, const PortSegment* s, int n) override {
        XSegment x[DrawBatch::capacity];
        for (int i = 0; i < n; i++) {
            x[i].x1 = static_cast<short>(s[i].x1);
            x[i].y1 = static_cast<short>(s[i].y1);
            x[i].x2 = static_cast<short>(s[i].x2);
            x[i].y2 = static_cast<short>(s[i].y2);
        }
        XDrawSegments(display, window, gc[c], x, n);
    }
    void rectangles(PortContext c, const PortRect* r, int n) override {
        XRectangle x[DrawBatch::capacity];
        for (int i = 0; i < n; i++) {
            x[i].x = static_cast<short>(r[i].x);
            x[i].y = static_cast<short>(r[i].y);
            x[i].width = static_cast<unsigned short>(r[i].w);
            x[i].height = static_cast<unsigned short>(r[i].h);
        }
        XDrawRectangles(display, window, gc[c], x, n);
    }
    void clearArea(const PortRect& r) override {
        XClearArea(display, window, r.x, r.y, static_cast<unsigned>(r.w), static_cast<unsigned>(r.h), False);
    }

    // The panel is a plain child window: it selects only its exposures, so
    // keys and buttons over it reach the window as they would without it.
    void showPanel(int x, int y, int w, int h, unsigned long borderPixel, unsigned long backgroundPixel) override {
        const unsigned width = static_cast<unsigned>(w > 0 ? w : 1), height = static_cast<unsigned>(h > 0 ? h : 1);
        if (!panel) {
            panel = XCreateSimpleWindow(display, window, x, y, width, height, 1, borderPixel, backgroundPixel);
            XSelectInput(display, panel, ExposureMask);
        } else {
            XMoveResizeWindow(display, panel, x, y, width, height);
        }
        XMapWindow(display, panel);
    }
    void hidePanel() override {
        if (panel) XUnmapWindow(display, panel);
    }
    void drawPanelText(int x, int y, const char* s, int n) override {
        if (panel) XDrawImageString(display, panel, gc[ctxMain], x, y, s, n);
    }
    void fontCell(int& ascent, int& descent, int& width) override {
        XFontStruct* f = XQueryFont(display, XGContextFromGC(gc[ctxMain]));
        if (!f) return XPort::fontCell(ascent, descent, width);
        ascent = f->ascent;
        descent = f->descent;
        width = f->max_bounds.width;
        XFreeFontInfo(nullptr, f, 1);
    }

    // Copies what the simulator reads of an Xlib event into `e`.
    void translate(XEvent& x, PortEvent& e) {
        switch (x.type) {
        case KeyPress: {
            e.kind = portKeyPress;
            e.keysym = XkbKeycodeToKeysym(display, static_cast<KeyCode>(x.xkey.keycode), 0, 0);
            e.byteCount = XLookupString(&x.xkey, e.bytes, 25, nullptr, nullptr);
            if (e.byteCount < 0) e.byteCount = 0;
            if (e.byteCount > 24) e.byteCount = 24;
            e.bytes[e.byteCount] = '\0';
            e.x = x.xkey.x;
            e.y = x.xkey.y;
            break;
        }
        case ButtonPress:
        case ButtonRelease:
            e.kind = x.type == ButtonPress ? portButtonPress : portButtonRelease;
            e.button = x.xbutton.button;
            e.shift = (x.xbutton.state & ShiftMask) != 0;
            e.x = x.xbutton.x;
            e.y = x.xbutton.y;
            break;
        case MotionNotify:
            e.kind = portMotion;
            e.x = x.xmotion.x;
            e.y = x.xmotion.y;
            break;
        case Expose:
            e.kind = panel && x.xexpose.window == panel ? portPanelExpose : portExpose;
            e.exposeX = x.xexpose.x;
            e.exposeY = x.xexpose.y;
            e.exposeW = x.xexpose.width;
            e.exposeH = x.xexpose.height;
            e.exposeCount = x.xexpose.count;
            break;
        case MappingNotify:
            XRefreshKeyboardMapping(&x.xmapping);
            e.kind = portMappingChange;
            break;
        case ClientMessage:
            e.kind = static_cast<Atom>(x.xclient.data.l[0]) == deleteWindow ? portCloseRequest : portOther;
            break;
        default: e.kind = portOther; break;
        }
    }
};

}  // namespace

XPort* newXlibPort() { return new XlibPort; }

bool xProtocolErrorSeen() { return protocolErrorSeen; }

void installXErrorHandlers(void (*onError)()) {
    errorHook = onError;
    XSetErrorHandler(catchError);
    XSetIOErrorHandler(catchIOError);
}
