// The display window: its connection, its view (which part of the schematic
// plane the window shows) and the drawing primitives every icon and pane
// draws through. All positions handed in are world coordinates, 0 …
// 16777215 on both axes, scaled to pixels by the view.
//
// This is the window in its display-less form: the connection is never
// opened yet, so `display` stays null, every drawing, clearing, cursor and
// event operation returns at once without effect, and event polling finds
// nothing. The view arithmetic is complete. repaint runs its drawing passes
// even so, because those passes also call the components' pane functions,
// which print probe lines when there is no display.
#ifndef KORVAX_WINDOW_H
#define KORVAX_WINDOW_H

// The Xlib connection type, declared as Xlib declares it so that this
// header does not pull Xlib's macros into circuit code.
typedef struct _XDisplay Display;

// The far edge of the world coordinate plane on both axes.
const int worldMaximum = 16777215;

class Windex {
public:
    Display* display;  // connection; null: no display, all output suppressed
    int xPixels;       // window width in pixels; 0 without a display
    int yPixels;       // window height in pixels; 0 without a display
    int viewXs;        // world x of the window's left edge
    int viewYs;        // world y of the window's top edge
    int viewXe;        // world x of the window's right edge
    int viewYe;        // world y of the window's bottom edge
    int subWinXs;      // the dashed sub-window rectangle, world coordinates: left
    int subWinYs;      // top
    int subWinXe;      // right
    int subWinYe;      // bottom

    // Installs the X error handlers (they only end the run) and leaves the
    // window without a connection; the view is the whole plane with the
    // sub-window in its middle. `labelString` is the window title.
    explicit Windex(const char* labelString);
    ~Windex() {}  // nothing is held without a connection

    // Drawing primitives; each has no effect without a connection.
    void clear();
    void clearArea(int x, int y, int w, int h);
    void drawLine(int xs, int ys, int xe, int ye);
    void drawLine_BOLD(int xs, int ys, int xe, int ye);
    void drawRectangle(int x, int y, int w, int h);
    void drawCircle(int x, int y, int w, int h, int angle1, int angle2);
    void drawFilledRectangle(int x, int y, int w, int h);
    void drawFilledRectangle_ONE(int x, int y, int w, int h);
    void drawFilledRectangle_ZERO(int x, int y, int w, int h);
    void drawFilledRectangle_UNINITIALIZED(int x, int y, int w, int h);
    void drawFilledRectangle_XXX(int x, int y, int w, int h);
    void drawFilledRectangle_HIZ(int x, int y, int w, int h);
    void drawFilledCircle(int x, int y, int w, int h, int angle1, int angle2);
    void drawText(int x, int y, char* s);

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
    // The sub-window outline, drawn so that a second call removes it.
    void drawSubWindow();
    // The status line: time, queue length and stall level.
    void drawTimeAndQueue(unsigned long t, int q, int s);
    // clear, drawSchematic, connect (when lines are on), drawPanes,
    // drawSubWindow, from the global phaseFive.
    void repaint();
    // Takes one pending window event: eventType 0 when there is none (always
    // without a display), else its code and keyChar its value.
    void checkEvent(int& eventType, int& keyChar);
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
