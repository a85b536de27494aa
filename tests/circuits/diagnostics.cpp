// Build-time mistakes and the circuit lines they name, one per run (-u 0 N):
//   1  a partitioned probe without its sizes, inside a sub-circuit function
//      (ends the program; names the line inside the function)
//   2  a subscript beyond a bus, inside a sub-circuit function (ends the
//      program)
//   3  a flip-flop and a register with wrong widths, inside a sub-circuit
//      function called twice (counted; each names the function's line)
//   4  a descriptor without a position (ends the program)
//   5  an undriven input on a wire that also has two drivers: the undriven
//      warnings and their count come first, then the driver warnings
#include "korvax.h"

static void display(const SD& sd, const Signal& value) {
    Probe(SD(sd, "aa"), value, "v", 2, nullptr);
}

static void half(const SD& sd, const Signal& in, const Signal& out) {
    Module(sd, in, out);
    And(SD(sd, "aa"), in, out[2]);
}

static void latch(const SD& sd, const Signal& d, const Signal& clock, const Signal& q) {
    Dff(SD(sd, "aa"), (Zero, d, clock), q);
    Register(SD(sd, "ab"), One, clock, (d, d), q);
}

void simnet() {
    Signal in(2, "in"), out(2, "out"), q(1, "q");
    switch (userRunTimeFlag[0]) {
    case 1: display(SD("aa"), in); break;
    case 2: half(SD("ab"), in, out); break;
    case 3:
        latch(SD("ac"), in[0], in[1], q);
        latch(SD("ad"), in[1], in[0], q);
        break;
    case 4: {
        const char* nowhere = nullptr;
        SD place(nowhere);
        break;
    }
    case 5:
        Not(SD("ae"), in[0], q);
        Not(SD("af"), in[1], q);
        break;
    }
}
