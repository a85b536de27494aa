// Oscillates: a ring of a Nand and two inverters, which a power-on pulse
// opens at time 50. No quiet moment comes, and the run hits the time limit
// with the oscillation warning, which names the ring.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), out(1, "out"), run(1, "run"), r(3, "r");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    And(SD("ab"), (in[2], in[1]), out);
    PowerOn(SD("ac"), run, 50, Zero);
    Nand(SD("bb"), (run, r[2]), r[0]);
    Not(SD("bc"), r[0], r[1]);
    Not(SD("cc"), r[1], r[2]);
}
