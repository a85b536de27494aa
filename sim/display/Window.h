// The display window: the connection to the X server, the view (which part
// of the schematic plane the window shows), the sub-window and the drawing
// primitives every icon and pane draws through. All positions handed in are
// world coordinates, 0 … 16777215 on both axes, scaled to pixels by the
// view; the pixels go to the server through the port of XPort.h.
//
// Without a connection (-X, or the server could not be reached) `display`
// is null and every drawing, clearing, cursor and event operation returns
// at once without effect; the view arithmetic still works. repaint runs its
// passes even so, because they also call the components' pane functions,
// which print probe lines when there is no display.
#ifndef KORVAX_WINDOW_H
#define KORVAX_WINDOW_H

#include "Signal.h"
#include "display/World.h"
#include "display/XPort.h"

// The colour of a value: the context that fills in it and the colour's
// name, as the server parses it ("#FF8C00").
struct ValueColour {
    PortContext context;
    const char* spec;
};
// The value colours, indexed by SignalValue: the one table the window's
// fills and the contexts' set-up both read.
extern const ValueColour valueColours[5];

// Makes the port the window opens its connection through: newXlibPort
// unless a test puts a recording stand-in here before the window is made.
extern XPort* (*makeXPort)();

// Position, size and flags of the window as the geometry parse gave them,
// handed to the window manager.
struct WindowHint {
    int x, y;           // position of the top-left corner, pixels
    int width, height;  // size, pixels
    int flags;          // what was specified: the geometry mask, or 12 (program position and size)
};

// The widest and tallest window the display makes: drawing requests carry
// 16-bit signed coordinates, so pixels past 32767 could not be drawn to
// (and the server's own 16-bit sizes would wrap a larger one silently).
const int largestWindowSide = 32767;

// Clamps the size of `hint`, as the geometry parse gave it, to 1 …
// largestWindowSide on both sides, with a one-line warning naming `asked`
// (the -g text) and the size taken; a position measured from the right or
// bottom edge (the geometry's flags 0x10, 0x20) is moved so that edge
// stays. A size within the bounds is left alone without a word.
void clampWindowSize(WindowHint& hint, const char* asked);

struct WindowInput;  // one translated event (WindowIn.h)

class Windex {
public:
    XPort* display;            // connection; null: no display, all output suppressed
    WindowHint hint;           // position and size from the geometry parse
    unsigned long foreground;  // foreground pixel
    unsigned long background;  // background pixel
    unsigned long subwin;      // the sub-window colour XOR background: drawn in XOR mode
    PortEvent event;           // the last event read
    static const int cursor_shape[10];  // cursor-font glyphs by sub-window region code
    int xPixels;               // window width in pixels; 0 without a display
    int yPixels;               // window height in pixels; 0 without a display
    int viewXs;                // world x of the window's left edge
    int viewYs;                // world y of the window's top edge
    int viewXe;                // world x of the window's right edge
    int viewYe;                // world y of the window's bottom edge
    int subWinXs;              // the dashed sub-window rectangle, world coordinates: left
    int subWinYs;              // top
    int subWinXe;              // right
    int subWinYe;              // bottom
    static const int maxClips = 16;  // clip rectangles of one clipped redraw at most
    PortRect clips[maxClips];  // exposed rectangles collected for one clipped redraw
    int numClips;              // entries of clips in use; 0 after set-up
    int panelBand;             // pixels at the window's right edge left to the watch panel
                               // while it is shown (WatchPanel.h); 0 while it is hidden

    // Installs the X error handlers (they only end the run), then, unless
    // the run has no display, opens the connection and the window titled
    // `labelString` followed by the -W text, with the colours and geometry
    // of the command line (its size clamped by clampWindowSize), and waits
    // for its first exposure. "Unable to
    // open X Window" when the server cannot be reached: the run goes on
    // without a display. A colour that cannot be allocated ends the
    // program with exit(-1).
    explicit Windex(const char* labelString);
    // Closes the window and the connection, if there is one.
    ~Windex();
    Windex(const Windex&) = delete;
    Windex& operator=(const Windex&) = delete;

    // Drawing primitives; each has no effect without a connection.
    // The whole window to the background.
    void clear();
    // A region to the background; one that scales to less than a pixel in
    // either direction clears nothing (the server would take a zero size
    // to mean "to the window's edge").
    void clearArea(int x, int y, int w, int h);
    // A thin line in the foreground colour.
    void drawLine(int xs, int ys, int xe, int ye);
    // A line two pixels wide in the foreground colour.
    void drawLine_BOLD(int xs, int ys, int xe, int ye);
    // A rectangle's outline in the foreground colour.
    void drawRectangle(int x, int y, int w, int h);
    // An arc's outline; angles in 1/64 degree, as the server takes them.
    void drawCircle(int x, int y, int w, int h, int angle1, int angle2);
    // A rectangle filled in the foreground colour.
    void drawFilledRectangle(int x, int y, int w, int h);
    // A rectangle filled in the colour of value v (valueColours); a value
    // outside the five fills nothing.
    void fill(SignalValue v, int x, int y, int w, int h);
    // An arc filled in the ZERO colour.
    void drawFilledCircle(int x, int y, int w, int h, int angle1, int angle2);
    // All of s as image text (on its own background box), baseline at y;
    // a null s draws nothing.
    void drawText(int x, int y, const char* s);
    // Sends what is drawn to the server and waits until it is done (for
    // measurements and screenshots).
    void sync();

    // World position or extent to pixels under the present view.
    int xScale(int x) const;
    int yScale(int y) const;
    int wScale(int w) const;
    int hScale(int h) const;
    // Zooms to the rectangle between pixel positions (xa, ya) and (xb, yb),
    // all four edges computed from the old view, without ordering or
    // clamping. Without a window size (no display) the view is kept, since
    // there are no pixels to measure against.
    void reviseView(int xa, int ya, int xb, int yb);
    void setView(int xs, int ys, int xe, int ye);
    void getView(int* xs, int* ys, int* xe, int* ye) const;
    // The whole plane.
    void resetView();
    // "View: " and the four view values on standard error.
    void showView() const;

    // Puts the sub-window in the middle quarter of the view (3/8 … 5/8).
    void setSubWin();
    // Makes the sub-window the view.
    void subWinToViewWin();
    // The sub-window outline, dashed, drawn in XOR so that a second call
    // removes it.
    void drawSubWindow();
    // The status line "T=t Q=q S=s" and eight blanks near the top-left
    // corner; the blanks wipe out the end of a longer earlier line.
    void drawTimeAndQueue(unsigned long t, int q, int s);
    // clear, drawSchematic, connect (when lines are on), drawPanes,
    // drawSubWindow, from the global phaseFive.
    void repaint();
    // Control-s: the present view, as repaint draws it, into korvax-N.svg
    // in the working directory (N the first number whose file does not
    // exist), said on standard error; a file that cannot be written is said
    // instead. No effect without a display.
    void savePicture();
    // Allocates the window's colours on `port` (foreground, background,
    // sub-window; a colour that cannot be allocated ends the program with
    // status 255) and creates and sets up its graphics contexts.
    void allocateColours(XPort& port);
    void createContexts(XPort& port);
    // The sub-window region of pixel (x, y): 0 outside, 1 inside away from
    // the borders, 2 … 9 the border bands (top-left, top, top-right, left,
    // right, bottom-left, bottom, bottom-right), each an eighth of the
    // sub-window wide. Shows the region's cursor.
    int pointInSubWindow(int x, int y);
    // Shows cursor glyph cursor_shape[which] over the window (a new cursor
    // each time).
    void setCursor(int which);
    // Moves the sub-window edges that a drag begun in region `state` moves,
    // by the pointer's motion from pixel (xo, yo) to (xn, yn) in world
    // units, redrawing its outline. Region 0 moves nothing; no order or
    // minimum size is kept, so an edge dragged past its opposite inverts
    // the rectangle.
    void adjustSubWindow(int state, int xn, int yn, int xo, int yo);
    // Draws the character "X" at pixel (x, y): a marker for debugging.
    void buttonPoint(int x, int y);
    // Takes one pending window event into `in` (WindowIn.h): type
    // noWindowEvent when there is none, always without a display. An
    // exposure is redrawn here and gives noWindowEvent; so do a key without
    // a character and any other event. A close request from the window
    // manager is taken as F10.
    void checkEvent(WindowInput& in);
    // The exposed rectangle (x, y, w, h, pixels) of an exposure event after
    // which `count` more follow: collected into clips; the last of a batch
    // (count 0), or the sixteenth rectangle, redraws the schematic clipped
    // to them and reads the window size; then every exposure repaints.
    void expose(int x, int y, int w, int h, int count);
    // The window's size from the server into xPixels and yPixels; while
    // the watch panel is shown, xPixels ends where its band begins (at
    // least 1) and the panel is put in the band, the window's full height.
    // With the panel hidden, one windowSize call and nothing else.
    void readWindowSize();
    // Writes what standard error holds, then waits, without spinning, until
    // a window event may be pending or `timeoutMs` milliseconds have passed;
    // at once when events are already queued. No effect without a display.
    void waitForEvent(int timeoutMs);
};

// Handles at most one pending window event without blocking; 1 if it
// handled one, 0 if none was pending (always 0 without a display).
int anyWindowEvents();

// Function-key and control-key commands by code: restart, exit, display
// flags and detail level. Unknown codes only print a message.
void FunctionKeyOperate(int keyChar);
// Arrow-key commands by code: slower, full speed, faster, pause/continue.
// Unknown codes only print a message.
void CursorKeyOperate(int keyChar);

#endif
