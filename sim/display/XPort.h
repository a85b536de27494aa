// The port to the X server: the one unit of the simulator that includes
// Xlib. Everything the window needs from the server goes through the small
// set of primitives of `XPort`, all in pixel coordinates, so that the rest
// of the display (the view arithmetic, icons, panes, the drawing passes and
// the event handling) sees no Xlib type and can be run against a recording
// stand-in in the tests. `newXlibPort` makes the real port; the tests
// derive their own.
//
// The port holds the connection, the one top-level window and the seven
// graphics contexts of the window, named by `PortContext`. It draws on that
// window and, once asked to show it, on the watch panel: a child window
// over a band of the window, which the server keeps clear of everything
// drawn on the window beneath (so no schematic drawing can overprint it).
// It reads only these two windows' events.
#ifndef KORVAX_XPORT_H
#define KORVAX_XPORT_H

// The graphics contexts of the window, in the order they are created: the
// main context for lines, outlines, text and the sub-window, one fill
// context per signal value, and the bold-line context.
enum PortContext {
    ctxMain = 0,           // window foreground on window background
    ctxONE = 1,            // fill in the ONE colour
    ctxZERO = 2,           // fill in the ZERO colour
    ctxUNINITIALIZED = 3,  // fill in the UNINITIALIZED colour
    ctxXXX = 4,            // fill in the XXX colour
    ctxHIZ = 5,            // fill in the HIZ colour
    ctxBOLD = 6,           // window foreground, lines two pixels wide
    portContextCount = 7   // number of contexts
};

// What a window event was.
enum PortEventKind {
    portNone = 0,           // no event was pending
    portKeyPress = 1,       // a key went down
    portButtonPress = 2,    // a mouse button went down
    portButtonRelease = 3,  // a mouse button went up
    portMotion = 4,         // the pointer moved with a button held
    portExpose = 5,         // part of the window must be redrawn
    portMappingChange = 6,  // the keyboard mapping changed (already refreshed)
    portCloseRequest = 7,   // the window manager asks the window to close
    portOther = 8,          // any other event (configuration, mapping, …)
    portPanelExpose = 9     // part of the watch panel must be redrawn (exposeCount as for portExpose)
};

// One window event, without any Xlib type. Fields that the kind does not
// use are 0.
struct PortEvent {
    PortEventKind kind;     // what happened; portNone when nothing was pending
    unsigned long keysym;   // key press: the unshifted keysym (group 0, level 0)
    char bytes[25];         // key press: the characters the key gives with its modifiers
    int byteCount;          // key press: how many of `bytes` are used (0 … 24)
    unsigned int button;    // button press or release: the button number (1 …)
    bool shift;             // button press or release: Shift was held
    int x, y;               // key, button, motion: pointer position in window pixels
    int exposeX, exposeY;   // expose: the exposed rectangle's top-left corner
    int exposeW, exposeH;   // expose: its width and height
    int exposeCount;        // expose: how many exposure events follow in this batch
};

// A rectangle in window pixels, as clip rectangles are given.
struct PortRect {
    int x, y;  // top-left corner
    int w, h;  // width and height
};

// The window system, in pixels. Every call except `open` requires an open
// connection; the window operations also require the window to have been
// created. Calls are made in the order the window's set-up gives them.
class XPort {
public:
    virtual ~XPort() {}

    // --- Connection and set-up ---

    // Opens the display named by the environment and takes its default
    // screen and colormap. False when the server cannot be reached. The
    // real port ignores SIGPIPE from here to `close`, so that a server
    // that goes away ends the program through the I/O error path (status
    // 1) whether the connection was being read or written.
    virtual bool open() = 0;
    // The screen's white and black pixels.
    virtual unsigned long whitePixel() = 0;
    virtual unsigned long blackPixel() = 0;
    // Allocates the colour with the given 16-bit components in the default
    // colormap; false (and `pixel` untouched) when it cannot be allocated.
    virtual bool allocColor(unsigned short red, unsigned short green, unsigned short blue,
                            unsigned long& pixel) = 0;
    // Parses the colour name `spec` ("#F0FFF0" and the like) and allocates
    // it in the default colormap; returns the allocated pixel, or `previous` when
    // either step fails.
    virtual unsigned long allocNamedColor(const char* spec, unsigned long previous) = 0;
    // Parses the geometry `user` over the default `fallback` for a window
    // with the given border width and a 1 × 1 font cell; returns the mask of
    // what was given (0 when nothing was) and the position and size.
    virtual int geometry(const char* user, const char* fallback, int border, int& x, int& y,
                         int& w, int& h) = 0;
    // Creates the top-level window on the root window of the default screen.
    virtual void createWindow(int x, int y, int w, int h, int border, unsigned long borderPixel,
                              unsigned long backgroundPixel) = 0;
    // Window and icon names and the size hints (position, size, flags) for
    // the window manager.
    virtual void setProperties(const char* windowName, const char* iconName, int x, int y, int w,
                               int h, int hintFlags) = 0;
    // Creates the context `c` with no values set.
    virtual void createContext(PortContext c) = 0;
    // Selects the window's events by Xlib event mask and maps it raised.
    virtual void selectInputAndMap(long eventMask) = 0;
    // The window's present size in pixels.
    virtual void windowSize(int& w, int& h) = 0;
    // Frees the main context, destroys the window and closes the
    // connection (the other contexts go with the connection).
    virtual void close() = 0;

    // --- Contexts ---

    // Foreground and background pixels of context `c`.
    virtual void setColours(PortContext c, unsigned long foreground, unsigned long background) = 0;
    // Drawing function of `c`: XOR when `exclusiveOr`, else copy.
    virtual void setFunction(PortContext c, bool exclusiveOr) = 0;
    // Line settings of `c`: width in pixels (0: thin), on-off dashes or
    // solid, round or butt caps, round or bevel joins.
    virtual void setLineAttributes(PortContext c, int width, bool dashed, bool roundCap,
                                   bool roundJoin) = 0;
    // Restricts the main context's drawing to `n` rectangles (origin 0, 0).
    virtual void setClipRectangles(const PortRect* r, int n) = 0;
    // Lets the main context draw everywhere again.
    virtual void clearClip() = 0;

    // --- Drawing, all in window pixels ---

    // Clears to the background, without exposure events; a width or height
    // of 0 reaches to the window's edge, as the server takes it.
    virtual void clearArea(int x, int y, int w, int h) = 0;
    virtual void drawLine(PortContext c, int x1, int y1, int x2, int y2) = 0;
    // Outline of a rectangle.
    virtual void drawRectangle(PortContext c, int x, int y, int w, int h) = 0;
    virtual void fillRectangle(PortContext c, int x, int y, int w, int h) = 0;
    // Arcs: angles in 1/64 degree, passed to the server unchanged.
    virtual void drawArc(PortContext c, int x, int y, int w, int h, int angle1, int angle2) = 0;
    virtual void fillArc(PortContext c, int x, int y, int w, int h, int angle1, int angle2) = 0;
    // `n` characters of `s` on their own background box, baseline at y.
    virtual void drawImageText(PortContext c, int x, int y, const char* s, int n) = 0;
    // Creates the cursor-font cursor `glyph` and shows it on the window.
    virtual void defineCursor(int glyph) = 0;
    // Sends what is buffered to the server.
    virtual void flush() = 0;
    // Sends what is buffered and waits until the server has done it.
    virtual void sync() = 0;

    // --- Events ---

    // Takes the next pending event of the window without blocking, into
    // `e`; with `exposuresOnly` only exposure events are taken. False (and
    // kind portNone) when none is pending. A port may look at its
    // connection only now and then (the real one: at most once a
    // millisecond while it holds no event, and at once after waitReadable
    // saw something readable), so an event may be taken up to that long
    // after it arrived.
    virtual bool nextEvent(PortEvent& e, bool exposuresOnly) = 0;
    // Waits until an event may be pending or `timeoutMs` milliseconds have
    // passed, without spinning: true when something can be read (or events
    // are already queued), false on timeout. Flushes first.
    virtual bool waitReadable(int timeoutMs) = 0;

    // --- The watch panel, a child window of the window ---
    // A port without windows of its own (the picture's) keeps the defaults:
    // no panel, nothing drawn on it, the 6 × 13 cell of the window's font.

    // Shows the panel at (x, y) of the window, w × h pixels inside a
    // one-pixel border of `borderPixel`, cleared to `backgroundPixel`;
    // made at the first call, moved and resized at the later ones. Its
    // exposures come as portPanelExpose.
    virtual void showPanel(int x, int y, int w, int h, unsigned long borderPixel, unsigned long backgroundPixel) {
        (void)x, (void)y, (void)w, (void)h, (void)borderPixel, (void)backgroundPixel;
    }
    // Hides the panel; the window beneath it is exposed.
    virtual void hidePanel() {}
    // `n` characters of `s` on their own background box on the panel, in
    // the main context, baseline at y; panel pixels.
    virtual void drawPanelText(int x, int y, const char* s, int n) { (void)x, (void)y, (void)s, (void)n; }
    // The cell of the main context's font: pixels above the baseline,
    // below it, and the widest character's advance.
    virtual void fontCell(int& ascent, int& descent, int& width) {
        ascent = 11;
        descent = 2;
        width = 6;
    }
};

// The real port, talking to the X server through Xlib; not yet open.
XPort* newXlibPort();

// Installs the X error and I/O error handlers, which call `onError` (it
// must only set a flag) and otherwise ignore the error. The first request
// the server refuses is said on standard error ("X server error: TEXT in
// request N; the run ends with status 1"); a lost connection ends the
// program in Xlib, with status 1. Needs no connection.
void installXErrorHandlers(void (*onError)());
// Whether the server has refused a request of this program: the run's
// status is then 1.
bool xProtocolErrorSeen();

#endif
