// A wrong majority circuit of the same file name: an OR of all three
// inputs, ONE as soon as one input is.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), out(1, "out");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Or(SD("ab"), in, out);
}
