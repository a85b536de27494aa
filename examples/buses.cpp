// A first circuit description: buses, slices, concatenation and a component
// of the circuit's own, registered through addStandardComponent.
//
// A circuit is a function `simnet` that declares its wires and places its
// components; the simulator builds the netlist from what it registers.
// Build and run it with:
//   tools/korvax-build examples/buses.cpp && build/circuits/buses -X
#include "korvax.h"

// A component of our own: a four-wire pass-through with no logic of its own
// yet, drawn nowhere (no icon table). Its constructor follows the library's
// pattern: check the widths, report, then register.
static void Pass4(const SD& sd, const Signal& in, const Signal& out) {
    if (in.length != 4 || out.length != 4) {
        std::fprintf(stderr, "Pass4 at %s needs 4 inputs and 4 outputs\n", sd.graphicPosition());
        phaseOne->fatalDiagnosticCount++;
    }
    addStandardComponent(nullptr, nullptr, "Pass4", sd, in, Signal(0, "UnNamed"), out);
}

void simnet() {
    Signal data(8, "data");         // wires data[0] … data[7]
    Signal low = data.sub(3, 0);    // positions 0..3: data[0] … data[3]
    Signal high = data.sub(7, 4);   // positions 0..3: data[4] … data[7]
    Signal result(4, "result");

    // The upper half goes through our component; the lower half is tied to
    // a constant pattern on the other side of the bus.
    Pass4(SD("aa", (char*)"upper"), high, result);
    Pass4(SD("ab"), (One, Zero, One, Zero), low);

    // With -P: the whole bus as two hexadecimal digits, the result bit by bit.
    Watch("data", data);
    Watch("result", result, WATCH_BINARY);
}
