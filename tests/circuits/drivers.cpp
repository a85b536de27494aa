// Wires with several drivers, for the connectivity check:
//   - two inverters on one wire, and an And and a switch on another: warned;
//   - three tri-state buffers on one bus wire: they may share, no warning;
//   - a module box whose output is also driven by the gate inside it: no
//     warning;
//   - one component with the same wire on two of its outputs: one driver.
#include "korvax.h"

// A sub-circuit: a box over an inverter that really drives its output.
static void inverter(const SD& sd, const Signal& in, const Signal& out) {
    Module(sd, in, out);
    Not(SD(sd, "aa"), in, out);
}

void simnet() {
    Signal a(1, "a"), x(1, "x"), y(1, "y"), enable(3, "enable"), bus(1, "bus"), boxed(1, "boxed"), pair(1, "pair");

    Switch(SD("aa"), a, 'a', Zero, "a");
    Not(SD("ba"), a, x);
    Not(SD("bb"), a, x);
    And(SD("ca", "both"), (a, x), y);
    Switch(SD("cb"), y, 'y', Zero, "y");

    Switch(SD("da"), enable, 'b', Zero, "enable");
    Tsb(SD("ea"), a, enable[2], bus);
    Tsb(SD("eb"), x, enable[1], bus);
    Tsb(SD("ec"), y, enable[0], bus);
    inverter(SD("fa"), bus, boxed);

    addStandardComponent(nullptr, nullptr, "Twice", SD("ga"), boxed, Signal(0, "UnNamed"), (pair, pair));
    Probe(SD("ha"), pair, "pair");
}
