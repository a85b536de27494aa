// The display window on the screen: the connection to the X server, the
// colours, and the drawing primitives every icon and pane draws through.
// All positions handed in are world coordinates, 0 … 16777215 on both
// axes, scaled to pixels by the window's view (Windex.h); the pixels go to
// the server through the port of XPort.h.
//
// Without a connection (-X, or the server could not be reached) `display`
// is null and every drawing, clearing, cursor and event operation returns
// at once without effect; the view arithmetic still works. Phase five's
// sequences run their passes even so, because they also call the
// components' pane functions, which print probe lines when there is no
// display.
#ifndef KORVAX_WINDOW_H
#define KORVAX_WINDOW_H

#include <cstdio>

#include "Signal.h"
#include "display/Windex.h"
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

struct WindowInput;  // one translated event (WindowEv.h)

// What beginPicture puts aside while a picture is drawn in the window's
// place: the window's port and its colours.
struct ScreenSaved {
    XPort* port;
    unsigned long foreground, background, subwin;
};

// The window on the screen: the port it draws through and owns, its
// colours and graphics contexts, the drawing primitives in world
// coordinates under `view`, the cursor, and the events read from the
// server. The drawing sequences made of these (repaint, the redraw after
// an exposure, the picture of Control-s) are phase five's (Ph5.h).
class Screen {
public:
    XPort* display;            // connection; null: no display, all output suppressed
    Windex view;               // the part of the plane shown, and the sub-window
    WindowHint hint;           // position and size from the geometry parse
    unsigned long foreground;  // foreground pixel
    unsigned long background;  // background pixel
    unsigned long subwin;      // the sub-window colour XOR background: drawn in XOR mode
    PortEvent event;           // the last event read
    static const int cursor_shape[10];  // cursor-font glyphs by sub-window band
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
    explicit Screen(const char* labelString);
    // Closes the window and the connection, if there is one.
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // Drawing primitives, positions in world coordinates under `view`;
    // each has no effect without a connection.
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

    // "View: " and the four view values on standard error.
    void showView() const;
    // The sub-window outline, dashed, drawn in XOR so that a second call
    // removes it.
    void drawSubWindow();
    // The status line "T=t Q=q S=s" and eight blanks near the top-left
    // corner; the blanks wipe out the end of a longer earlier line.
    void drawTimeAndQueue(unsigned long t, int q, int s);
    // Allocates the window's colours on `port` (foreground, background,
    // sub-window; a colour that cannot be allocated ends the program with
    // status 255) and creates and sets up its graphics contexts.
    void allocateColours(XPort& port);
    void createContexts(XPort& port);
    // Puts `picture`, a port opened on a file, in the window's port's
    // place, set up as the window is: its colours allocated on it, a window
    // of the window's size, the contexts. What is then drawn goes to the
    // picture until endPicture puts back what this returns.
    ScreenSaved beginPicture(XPort* picture);
    void endPicture(const ScreenSaved& saved);
    // The sub-window band of pixel (x, y) (Windex::subWindowBandAt), its
    // cursor shown.
    int pointInSubWindow(int x, int y);
    // Shows cursor glyph cursor_shape[which] over the window (a new cursor
    // each time).
    void setCursor(int which);
    // A drag begun in band `state` from pixel (xo, yo) to (xn, yn): the
    // sub-window's outline removed, its edges moved (Windex::moveSubWindow)
    // and drawn again; nothing when the drag is not draggable.
    void adjustSubWindow(int state, int xn, int yn, int xo, int yo);
    // Draws the character "X" at pixel (x, y): a marker for debugging.
    void buttonPoint(int x, int y);
    // Takes one pending window event into `in` (WindowEv.h): type
    // noWindowEvent when there is none, always without a display; a key
    // without a character, a button press on the watch panel and any other
    // event give noWindowEvent too. An
    // exposure of the schematic is collected into clips and gives
    // exposeEvent, with code 1 when the collected rectangles are due for
    // their clipped redraw (the last of a batch, or the sixteenth); an
    // exposure of the panel gives panelExposeEvent, code 1 for the last of
    // its batch. A close request from the window manager is taken as F10.
    void checkEvent(WindowInput& in);
    // The window's size from the server into view.xPixels and
    // view.yPixels; while the watch panel is shown, xPixels ends where its
    // band begins (at least 1) and the panel is put in the band, the
    // window's full height. With the panel hidden, one windowSize call and
    // nothing else.
    void readWindowSize();
    // Writes what standard error holds, then waits, without spinning, until
    // a window event may be pending or `timeoutMs` milliseconds have passed;
    // at once when events are already queued. No effect without a display.
    void waitForEvent(int timeoutMs);
};

// Creates korvax-N.svg in the working directory for a picture, N the first
// number whose file does not exist (taken with O_EXCL, so a file that
// exists is never overwritten), its name into `name`; null, said on
// standard error, when it cannot be created.
FILE* createPictureFile(char (&name)[32]);

#endif
