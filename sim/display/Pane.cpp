// Value panes, drawn through the window's primitives.
#include "display/Pane.h"

#include "display/Ph5.h"
#include "display/Window.h"

namespace {

Windex& window() { return *phaseFive->windexPointer; }

void fillInColour(SignalValue sv, int x, int y, int w, int h) {
    Windex& win = window();
    switch (sv) {
    case ZERO: win.drawFilledRectangle_ZERO(x, y, w, h); break;
    case UNINITIALIZED: win.drawFilledRectangle_UNINITIALIZED(x, y, w, h); break;
    case XXX: win.drawFilledRectangle_XXX(x, y, w, h); break;
    case HIZ: win.drawFilledRectangle_HIZ(x, y, w, h); break;
    case ONE: win.drawFilledRectangle_ONE(x, y, w, h); break;
    }
}

inline bool isValue(SignalValue sv) { return sv >= ZERO && sv <= ONE; }

}  // namespace

int TrX(int x, int xs, int ws, int scale) {
    return static_cast<int>(static_cast<float>(ws) * static_cast<float>(x) / static_cast<float>(scale) +
                            static_cast<float>(xs));
}

int TrY(int y, int ys, int hs, int scale) { return TrX(y, ys, hs, scale); }

void shrink(float sf, int x, int y, int w, int h, int& xs, int& ys, int& ws, int& hs) {
    hs = static_cast<int>(static_cast<float>(h) * sf);
    ws = static_cast<int>(static_cast<float>(w) * sf);
    xs = static_cast<int>(static_cast<float>(x) + static_cast<float>((w - ws) / 2));
    ys = static_cast<int>(static_cast<float>(y) + static_cast<float>((h - hs) / 2));
}

void drawPane(int x, int y, int w, int h, SignalValue sv, bool is_probe, float shrinkFactor) {
    if (!isValue(sv)) return;
    int xs, ys, ws, hs;
    shrink(shrinkFactor, x, y, w, h, xs, ys, ws, hs);
    Windex& win = window();
    win.clearArea(xs, ys, ws, hs);
    if (is_probe) {
        fillInColour(sv, xs, ys, ws, hs);
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

void drawPane_byte(int x, int y, int w, int h, SignalValue* sv, bool, float shrinkFactor) {
    int xs, ys, ws, hs;
    shrink(shrinkFactor, x, y, w, h, xs, ys, ws, hs);
    const int slot = hs / 8;
    const int bar = static_cast<int>(static_cast<double>(slot) * 0.7);
    Windex& win = window();
    for (int i = 0; i < 8; i++) {
        if (!isValue(sv[i])) continue;
        win.clearArea(xs, ys + i * slot, ws, bar);
        fillInColour(sv[i], xs, ys + i * slot, ws, bar);
        win.drawRectangle(xs, ys + i * slot, ws, bar);
    }
}

void drawPane_byte_h(int x, int y, int w, int h, SignalValue* sv, bool, float shrinkFactor) {
    int xs, ys, ws, hs;
    shrink(shrinkFactor, x, y, w, h, xs, ys, ws, hs);
    const int slot = ws / 8;
    const int bar = static_cast<int>(static_cast<double>(slot) * 0.7);
    Windex& win = window();
    for (int i = 0; i < 8; i++) {
        if (!isValue(sv[i])) continue;
        win.clearArea(xs + i * slot, ys, slot, hs);  // the whole slot
        fillInColour(sv[i], xs + i * slot, ys, bar, hs);
        win.drawRectangle(xs + i * slot, ys, bar, hs);
    }
}
