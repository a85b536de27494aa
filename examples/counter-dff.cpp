// A 4-bit synchronous counter built from D flip-flops and gates.
//
// Every flip-flop loads on the rising edge of the clock, a keyboard switch:
// each press of c toggles it, so two presses make one count. Bit i flips
// when every bit below it is ONE: its D input is q[i] XOR (q[i-1] AND … AND
// q[0]), and bit 0 simply takes its own complement. A power-on pulse clears
// the flip-flops at the start (their clear is active ONE) and keeps the
// IntOut disabled meanwhile. The IntOut is strobed by the inverted clock,
// so it prints the count as the clock falls, half a cycle after the count
// changed: 1, 2, …, 15, then 0 as the counter wraps.
//   tools/korvax-build examples/counter-dff.cpp
//   build/circuits/counter-dff -X -k cccccccc      # four counts: 1 2 3 4
// The next count is a sub-circuit: a box at level 1, its gates and two
// probes on the carries one level deeper. Without a window those probes
// print only when asked for more detail:
//   build/circuits/counter-dff -X -F E -k cc
#include "korvax.h"

// d = q + 1 (modulo 16), placed inside the cell of `sd`.
static void nextCount(const SD& sd, const Signal& q, const Signal& d) {
    Signal carry2(1, "carry2"), carry3(1, "carry3");
    Module(sd, "next", q, d);
    Not(SD(sd, "aa"), q[0], d[0]);
    Xor(SD(sd, "ab"), (q[1], q[0]), d[1]);
    And(SD(sd, "bb"), (q[1], q[0]), carry2);
    Xor(SD(sd, "ac"), (q[2], carry2), d[2]);
    And(SD(sd, "bc"), (q[2], carry2), carry3);
    Xor(SD(sd, "ad"), (q[3], carry3), d[3]);
    Probe(SD(sd, "cb"), carry2, "carry2");
    Probe(SD(sd, "cc"), carry3, "carry3");
}

void simnet() {
    Signal clock(1, "clock"), clear(1, "clear"), ready(1, "ready"), strobe(1, "strobe");
    Signal q(4, "q"), d(4, "d");

    Switch(SD("aa"), clock, 'c', Zero, "clock");
    PowerOn(SD("ab"), clear, 20, One);  // ONE from tick 10, ZERO from tick 29
    Not(SD("ac"), clear, ready);
    Not(SD("ad"), clock, strobe);

    nextCount(SD("ba-bd"), q, d);

    // Dff inputs, most significant first: (set, D, clock, clear).
    const char* places[4] = {"da", "db", "dc", "dd"};
    for (int i = 0; i < 4; i++) Dff(SD(places[i], "bit"), (Zero, d[i], clock, clear), q[i]);

    // IntOut's control, most significant first: (enable, strobe).
    IntOut(SD("ea", "count"), (ready, strobe), q);

    // Watches: with -P, one line of these whenever one of them changes.
    Watch("count", q, WATCH_DECIMAL);
    Watch("next", d, WATCH_BINARY);
}
