// How the gate constructors expand buses into gates, and their width
// errors. -u 0 N picks the case; the cases that build print every
// registered component (number, label, data and control inputs, outputs).
//   0  And 8 -> 2, Or with a one-wire operand, Not 4 -> 4, the mixed gates
//   1  And 6 -> 4          (not divisible: ends the program)
//   2  Not 1 -> 4          (ends the program)
//   3  Tsb with 2 inputs   (ends the program)
//   4  Or into 0 outputs   (ends the program)
//   5  And(in1, in2, out) with in1, in2 of 4 wires and out of 3 (ends)
//   6  And(in1, in2, out) with 2- and 3-wire operands: nothing at all
//   7  a Clock without an init wire (ends the program)
#include <cstdio>

#include "korvax.h"

static void listPins(const char* what, int n, const int* pins) {
    std::fprintf(stderr, " %s", what);
    for (int p = 0; p < n; p++) std::fprintf(stderr, " %d", pins[p]);
}

static void listComponents() {
    for (const ComponentNode* c = phaseOne->componentList.start; c; c = c->ptr) {
        std::fprintf(stderr, "%d %s at %s:", c->componentIndex, c->decal, positionString(c->position));
        listPins("data", c->numberOfDataInputs, c->dataInputs);
        listPins("control", c->numberOfControlInputs, c->controlInputs);
        listPins("out", c->numberOfOutputs, c->outputs);
        std::fprintf(stderr, "\n");
    }
}

void simnet() {
    Signal in(8, "in");        // wires 2..9
    Signal out(4, "out");      // wires 10..13
    Signal a(1, "a");          // wire 14
    Signal none(0, "UnNamed");
    SD at("aa");
    switch (userRunTimeFlag[0]) {
    case 0:
        And(at, in, out.sub(1, 0));
        Or(SD("ab", "wide"), a, in.sub(3, 0), out);
        Not(at, in.sub(7, 4), out);
        Iand(at, in[0], in[1], a);
        Tsb(at, in[2], in[3], a);
        listComponents();
        break;
    case 1: And(at, in.sub(5, 0), out); break;
    case 2: Not(at, a, out); break;
    case 3: Tsb(at, in.sub(1, 0), a, a); break;
    case 4: Or(at, in, none); break;
    case 5: And(at, in.sub(3, 0), in.sub(7, 4), out.sub(2, 0)); break;
    case 6:
        And(at, in.sub(1, 0), in.sub(4, 2), out);
        listComponents();
        break;
    case 7: Clock(at, a, 10, 0, 40, none); break;
    }
}
