// Value panes: the small boxes in which probes, switches, clocks and super
// probes show a value, and the helpers that place them in a component's
// tile. Called by the components' pane functions (sim/components) and by
// the schematic drawing; everything is drawn through the window's
// primitives, so without a display nothing is drawn.
#ifndef KORVAX_PANE_H
#define KORVAX_PANE_H

#include "Signal.h"

// Icon coordinate x (0 … scale) mapped into the extent (xs, ws):
// trunc(ws · x / scale + xs) in single precision. TrY the same for y.
int TrX(int x, int xs, int ws, int scale);
int TrY(int y, int ys, int hs, int scale);

// The rectangle (x, y, w, h) scaled by `sf` about its centre.
void shrink(float sf, int x, int y, int w, int h, int& xs, int& ys, int& ws, int& hs);

// One value in the rectangle shrunk by `shrinkFactor`: a probe (is_probe)
// fills it in the value's colour; a switch-like pane draws a black-and-white
// symbol that reads without colour. Values outside the five draw nothing.
void drawPane(int x, int y, int w, int h, SignalValue sv, bool is_probe, float shrinkFactor);
// Eight values sv[0] … sv[7] as bars stacked from the top down.
void drawPane_byte(int x, int y, int w, int h, SignalValue* sv, bool is_probe, float shrinkFactor);
// Eight values as bars side by side from the left.
void drawPane_byte_h(int x, int y, int w, int h, SignalValue* sv, bool is_probe, float shrinkFactor);

#endif
