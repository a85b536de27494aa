// Icons: a component drawn inside its tile as the vector shape of its icon
// table, with a lead and a connection tab per input and output and,
// optionally, its label and the names of its wires, laid out as
// IconLayout.h says, on the window handed in.
#ifndef KORVAX_ICONDRAW_H
#define KORVAX_ICONDRAW_H

#include "display/IconLayout.h"

class PhaseFive;
class Screen;

// Draws component cind with icon table `icon` into its tile on `win`:
// body; label when p5's labelGateFlag is set; when drawComponentLeadsFlag
// is set, the input slots (top to bottom: control inputs from the last
// down, then data inputs from the last down) and the output slots (output
// 0 at the bottom), each a lead and a tab, recorded in p5's tab lists and,
// while superProbeCollect is set, as super probes; wire names at the leads
// when labelLinesFlag is set.
void iconDraw(Screen& win, PhaseFive& p5, int cind, const int* icon);

#endif
