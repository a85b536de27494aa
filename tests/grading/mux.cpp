// Correct, with a multiplexer: a selects between b AND c and b OR c.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), both(1, "both"), either(1, "either"), out(1, "out");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    And(SD("ab"), (in[1], in[0]), both);
    Or(SD("bb"), (in[1], in[0]), either);
    Mux(SD("bc"), in[2], (either, both), out);
}
