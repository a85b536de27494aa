// A 4-bit counter that prints its value on every clock edge.
//
// A free-running clock drives the counter, which counts on the falling
// edge; an IntOut strobed by the same clock prints the count in decimal on
// the rising edge, when the count has long settled. A power-on pulse holds
// the counter cleared (its clear is active ZERO) for the first 60 ticks and
// keeps IntOut disabled meanwhile, so that the first rising edge, which
// comes before the count is known, prints nothing.
// The clock never stops, so give a stop time:
//   tools/korvax-build examples/counter-intout.cpp && build/circuits/counter-intout -X -T 4000
#include "korvax.h"

void simnet() {
    Signal clock(1, "clock"), clear(1, "clear"), count(4, "count");
    Clock(SD("aa"), clock, 100, 0, 200, Zero);
    PowerOn(SD("ab"), clear, 60, Zero);
    Counter(SD("ba", "count"), (clear, clock), count);
    // IntOut's control: [0] strobe, [1] enable.
    IntOut(SD("bb", "show"), (clear, clock), count);
}
