// Position strings with fields the schematic cannot place: an empty string,
// empty fields and fields of the wrong length. The run reports each such
// field once, when it tiles the schematic, and goes on.
#include "korvax.h"

void simnet() {
    Signal x(1, "x");
    Not(SD("ab..cd"), Zero, x);
    Probe(SD("abc.ab"), x, "short");
    Probe(SD(""), x, "empty");
    Probe(SD("ea-aa."), x, "backward");
}
