// The held-back drawing of the real port: at most one clear, or the lines
// and outlines of one plain context, in fixed arrays.
#include "display/PortBatch.h"

DrawBatch::DrawBatch(BatchSink& s)
    : sink(s), exclusiveOr(), dashed(), clipped(), heldContext(ctxMain), lines(), lineCount(0), outlines(),
      outlineCount(0), clear(), clearHeld(false) {}

void DrawBatch::send() {
    if (clearHeld) {
        clearHeld = false;
        sink.clearArea(clear);
    }
    if (lineCount) sink.segments(heldContext, lines, lineCount);
    if (outlineCount) sink.rectangles(heldContext, outlines, outlineCount);
    lineCount = outlineCount = 0;
}

void DrawBatch::roomFor(PortContext c, int held) {
    if (clearHeld || held == capacity || ((lineCount || outlineCount) && heldContext != c)) send();
    heldContext = c;
}

void DrawBatch::line(PortContext c, int x1, int y1, int x2, int y2) {
    const PortSegment s{x1, y1, x2, y2};
    if (!plain(c)) {
        send();
        sink.segments(c, &s, 1);
        return;
    }
    roomFor(c, lineCount);
    lines[lineCount++] = s;
}

void DrawBatch::rectangle(PortContext c, int x, int y, int w, int h) {
    const PortRect r{x, y, w, h};
    if (!plain(c)) {
        send();
        sink.rectangles(c, &r, 1);
        return;
    }
    roomFor(c, outlineCount);
    outlines[outlineCount++] = r;
}

void DrawBatch::clearArea(int x, int y, int w, int h) {
    send();
    clear = PortRect{x, y, w, h};
    clearHeld = true;
}

void DrawBatch::beforeFill(PortContext c, int x, int y, int w, int h) {
    if (clearHeld && !exclusiveOr[c] && !clipped[c] && w > 0 && h > 0 && clear.x == x && clear.y == y &&
        clear.w == w && clear.h == h)
        clearHeld = false;
    send();
}

void DrawBatch::function(PortContext c, bool x) {
    send();
    exclusiveOr[c] = x;
}

void DrawBatch::lineStyle(PortContext c, bool d) {
    send();
    dashed[c] = d;
}

void DrawBatch::clip(PortContext c, bool on) {
    send();
    clipped[c] = on;
}
