// The real port's drawing, held back a little so that the server gets
// fewer and larger requests for the same pixels. Two things are held:
//
// - Thin and wide lines and rectangle outlines of one context that draws
//   in copy mode with solid lines. Each of them paints its pixels in the
//   context's one foreground colour, so in whatever order they reach the
//   server the picture is the same: they go out together, the lines as one
//   request and the outlines as another, as soon as any other drawing, a
//   change of a context, a flush, a wait or a read of the connection comes.
// - A cleared rectangle, until the next call. When that call fills exactly
//   the same rectangle in copy mode and unclipped (a pane's clear and
//   fill), every cleared pixel is painted over at once, and the clear is
//   left out.
//
// Everything else goes to the server in the order it was asked for. The
// batch is pure bookkeeping: what it sends goes to a BatchSink, which the
// real port turns into Xlib calls and the tests record.
#ifndef KORVAX_PORTBATCH_H
#define KORVAX_PORTBATCH_H

#include "display/XPort.h"

// A line from (x1, y1) to (x2, y2), window pixels.
struct PortSegment {
    int x1, y1, x2, y2;
};

// Where a DrawBatch sends what it held back.
class BatchSink {
public:
    virtual ~BatchSink() {}
    // `n` lines (1 … DrawBatch::capacity) in context `c`, in one request.
    virtual void segments(PortContext c, const PortSegment* s, int n) = 0;
    // `n` rectangle outlines (1 … DrawBatch::capacity) in context `c`, in
    // one request.
    virtual void rectangles(PortContext c, const PortRect* r, int n) = 0;
    // A rectangle cleared to the background; a width or height of 0
    // reaches to the window's edge.
    virtual void clearArea(const PortRect& r) = 0;
};

class DrawBatch {
public:
    static const int capacity = 512;  // lines, and outlines, held at most

    // Nothing held; every context in copy mode with solid lines, unclipped
    // (as a context is made).
    explicit DrawBatch(BatchSink& sink);
    DrawBatch(const DrawBatch&) = delete;
    DrawBatch& operator=(const DrawBatch&) = delete;

    // A line or an outline in context `c`: held while `c` is plain (copy
    // mode, solid lines), otherwise sent at once after what is held.
    void line(PortContext c, int x1, int y1, int x2, int y2);
    void rectangle(PortContext c, int x, int y, int w, int h);
    // A clear: sends what is held, then holds the clear until the next call.
    void clearArea(int x, int y, int w, int h);
    // Call before filling (x, y, w, h) in context `c`: a held clear of
    // exactly that rectangle, w and h above 0, is dropped when `c` fills in
    // copy mode unclipped; anything held is sent.
    void beforeFill(PortContext c, int x, int y, int w, int h);
    // Sends everything held, in the order it was asked for as far as the
    // picture can tell. Call before any other request, flush, wait or read.
    void send();
    // Call before context `c` changes: sends what is held, then records
    // what `c` will be (copy mode or exclusive or; solid or dashed lines;
    // clipped or not).
    void function(PortContext c, bool exclusiveOr);
    void lineStyle(PortContext c, bool dashed);
    void clip(PortContext c, bool clipped);

    // What the batch holds, for the tests.
    int heldLines() const { return lineCount; }
    int heldOutlines() const { return outlineCount; }
    bool holdsClear() const { return clearHeld; }

private:
    BatchSink& sink;
    bool exclusiveOr[portContextCount];  // by context: drawing function XOR
    bool dashed[portContextCount];       // by context: on-off dashed lines
    bool clipped[portContextCount];      // by context: drawing clipped to rectangles
    PortContext heldContext;             // the context of the held lines and outlines
    PortSegment lines[capacity];         // held lines, lineCount of them
    int lineCount;
    PortRect outlines[capacity];         // held outlines, outlineCount of them
    int outlineCount;
    PortRect clear;                      // the held clear, when clearHeld
    bool clearHeld;

    // Whether lines and outlines of `c` may be held.
    bool plain(PortContext c) const { return !exclusiveOr[c] && !dashed[c]; }
    // Makes room for a line or outline of `c`: sends what is held when it
    // belongs to another context, is a clear, or fills the batch.
    void roomFor(PortContext c, int held);
};

#endif
