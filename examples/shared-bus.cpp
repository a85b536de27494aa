// Two tri-state buffers on one shared wire.
//
// Each buffer passes its input to the bus while its enable is ONE and
// otherwise lets go (HIZ). Key 1 enables the first buffer, key 2 the second;
// their inputs are the constants One and Zero. A buffer may take the bus
// only while nobody else drives it: enabling the second while the first
// holds the bus is refused with a message on standard output.
//   tools/korvax-build examples/shared-bus.cpp
//   build/circuits/shared-bus -X -k 1211
#include "korvax.h"

void simnet() {
    Signal enable1(1, "enable1"), enable2(1, "enable2");
    Signal bus(1, "bus");

    Switch(SD("aa"), enable1, '1', Zero, "first");
    Switch(SD("ba"), enable2, '2', Zero, "second");
    Tsb(SD("ab", "drives ONE"), One, enable1, bus);
    Tsb(SD("bb", "drives ZERO"), Zero, enable2, bus);

    Probe(SD("ac"), bus, "bus");
}
