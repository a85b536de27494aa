// A bus wider than 64 wires, for the test vectors: w has 100 wires, all
// ZERO but w[99], which is ONE (2^99). Key a flips the switch s, which w[0]
// follows, so the number can change under the vectors.
#include "korvax.h"

void simnet() {
    Signal s(1, "s"), w(100, "w");

    Switch(SD("aa"), s, 'a', Zero, "s");
    // Each output of the vector Or takes two inputs: w[99] = One | Zero,
    // w[0] = s | Zero, every other wire Zero | Zero.
    Or(SD("ab"), ((One, Zero), (196 * Zero, (s, Zero))), w);
}
