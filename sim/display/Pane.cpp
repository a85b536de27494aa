// Value panes, drawn through the window's primitives.
#include "display/Pane.h"

#include "display/Window.h"

namespace {

inline bool isValue(SignalValue sv) { return sv >= ZERO && sv <= ONE; }

}  // namespace

void drawPane(Screen& win, int x, int y, int w, int h, SignalValue sv, bool is_probe, float shrinkFactor) {
    if (!isValue(sv)) return;
    int xs, ys, ws, hs;
    shrink(shrinkFactor, x, y, w, h, xs, ys, ws, hs);
    win.clearArea(xs, ys, ws, hs);
    if (is_probe) {
        win.fill(sv, xs, ys, ws, hs);
        win.drawRectangle(xs, ys, ws, hs);
        return;
    }
    if (sv == ONE) {
        win.drawFilledRectangle(xs, ys, ws, hs);  // a solid box
        return;
    }
    win.drawRectangle(xs, ys, ws, hs);
    switch (sv) {
    case UNINITIALIZED: win.drawLine(xs, ys + hs, xs + ws, ys); break;
    case XXX:
        win.drawLine(xs, ys, xs + ws, ys + hs);
        win.drawLine(xs, ys + hs, xs + ws, ys);
        break;
    case HIZ: win.drawLine(xs, ys + hs / 2, xs + ws, ys + hs / 2); break;
    default: break;  // ZERO: an empty box
    }
}

void drawPane_byte(Screen& win, int x, int y, int w, int h, const SignalValue* sv, bool, float shrinkFactor) {
    int xs, ys, ws, hs;
    shrink(shrinkFactor, x, y, w, h, xs, ys, ws, hs);
    const int slot = hs / 8;
    const int bar = static_cast<int>(static_cast<double>(slot) * 0.7);
    for (int i = 0; i < 8; i++) {
        if (!isValue(sv[i])) continue;
        win.clearArea(xs, ys + i * slot, ws, bar);
        win.fill(sv[i], xs, ys + i * slot, ws, bar);
        win.drawRectangle(xs, ys + i * slot, ws, bar);
    }
}

void drawPane_byte_h(Screen& win, int x, int y, int w, int h, const SignalValue* sv, bool, float shrinkFactor) {
    int xs, ys, ws, hs;
    shrink(shrinkFactor, x, y, w, h, xs, ys, ws, hs);
    const int slot = ws / 8;
    const int bar = static_cast<int>(static_cast<double>(slot) * 0.7);
    for (int i = 0; i < 8; i++) {
        if (!isValue(sv[i])) continue;
        win.clearArea(xs + i * slot, ys, slot, hs);  // the whole slot
        win.fill(sv[i], xs + i * slot, ys, bar, hs);
        win.drawRectangle(xs + i * slot, ys, bar, hs);
    }
}
