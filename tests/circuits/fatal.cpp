// Two components with counted width problems, one without: both problems
// are listed, then phase one ends the program.
#include <cstdio>

#include "korvax.h"

// A component that wants a four-wire input, checked the way the medium- and
// large-scale library checks: report, count, register regardless.
static void Wants4(const SD& sd, const Signal& in, const Signal& out) {
    if (in.length != 4) {
        std::fprintf(stderr, "Wants4 at %s: input has %d wires, needs 4\n", sd.graphicPosition(), in.length);
        phaseOne->fatalDiagnosticCount++;
    }
    addStandardComponent(nullptr, nullptr, "Wants4", sd, in, Signal(0, "UnNamed"), out);
}

void simnet() {
    Signal a(3, "a"), b(4, "b"), c(5, "c");
    Wants4(SD("aa"), a, Signal(1, "p"));
    Wants4(SD("ab"), b, Signal(1, "q"));
    Wants4(SD("ac"), c, Signal(1, "r"));
}
