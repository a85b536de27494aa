// A full adder made of gates, operated by keyboard switches.
//
// Keys a, b and c flip the inputs A, B and carry-in (each starts at ZERO);
// probes show the sum and the carry-out. In the window, press the keys; in a
// script, type them with -k, one key each time the circuit has settled:
//   tools/korvax-build examples/full-adder.cpp
//   build/circuits/full-adder -X -k abc
// Without a window the run ends once the keys are used up and the circuit
// is quiet.
#include "korvax.h"

void simnet() {
    Signal in(3, "in");  // in[2] = A, in[1] = B, in[0] = carry-in
    Signal partial(1, "partial"), sum(1, "sum");
    Signal generate(1, "generate"), propagate(1, "propagate"), carry(1, "carry");

    // Keys a, b, c operate in[2], in[1], in[0]: the top wire gets the key.
    Switch(SD("aa-ca"), in, 'a', Zero, "in");

    Signal a = in[2], b = in[1], cin = in[0];
    Xor(SD("ab"), (a, b), partial);
    Xor(SD("ac"), (partial, cin), sum);
    And(SD("bb"), (a, b), generate);
    And(SD("bc"), (partial, cin), propagate);
    Or(SD("cc"), (generate, propagate), carry);

    Probe(SD("ad"), sum, "sum");
    Probe(SD("cd"), carry, "carry");
}
