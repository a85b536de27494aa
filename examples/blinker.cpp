// A clock and probes: the simplest circuit that runs on its own.
//
// A free-running clock drives an inverter; probes show both wires. Run it
// without a window, up to time 200:
//   tools/korvax-build examples/blinker.cpp && build/circuits/blinker -X -T 200
// Each probe prints a line whenever its wire changes. Note the XXX between
// ZERO and ONE: every gate shows "in transition" after its quick delay (7)
// and settles after its lazy delay (10).
#include "korvax.h"

void simnet() {
    Signal clk(1, "clk");
    Signal notClk(1, "notClk");

    // ON for 10 ticks in every 40; it starts OFF, at the value of Zero.
    Clock(SD("aa"), clk, 10, 0, 40, Zero);
    Not(SD("ab"), clk, notClk);

    Probe(SD("ba"), clk, "clk");
    Probe(SD("bb"), notClk, "notClk");
}
