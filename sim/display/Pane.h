// Value panes: the small boxes in which probes, switches, clocks and super
// probes show a value, drawn on the window handed in (its view and its
// port), so without a display nothing is drawn. The components' pane
// functions reach them through the engine's PaneOut (PaneOut.h), which
// phase five fills in; super probes and the tests call them directly.
#ifndef KORVAX_PANE_H
#define KORVAX_PANE_H

#include "Signal.h"
#include "display/PaneRect.h"

class Screen;

// One value in the rectangle shrunk by `shrinkFactor`: a probe (is_probe)
// fills it in the value's colour; a switch-like pane draws a black-and-white
// symbol that reads without colour. Values outside the five draw nothing.
void drawPane(Screen& win, int x, int y, int w, int h, SignalValue sv, bool is_probe, float shrinkFactor);
// Eight values sv[0] … sv[7] as bars stacked from the top down.
void drawPane_byte(Screen& win, int x, int y, int w, int h, const SignalValue* sv, bool is_probe,
                   float shrinkFactor);
// Eight values as bars side by side from the left.
void drawPane_byte_h(Screen& win, int x, int y, int w, int h, const SignalValue* sv, bool is_probe,
                     float shrinkFactor);

#endif
