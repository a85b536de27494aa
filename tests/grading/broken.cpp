// Does not compile: a misspelt component.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), out(1, "out");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Ore(SD("ab"), in, out);
}
