// Compiles, but the adder is given three operand wires for a two-wire sum;
// the circuit's own check refuses it.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Adder(SD("ab"), in, count);
}
