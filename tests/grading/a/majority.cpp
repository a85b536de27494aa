// A correct majority circuit: three AND gates and an OR (the README's).
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), pairs(3, "pairs"), out(1, "out");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    And(SD("ab"), (in[2], in[1]), pairs[2]);
    And(SD("bb"), (in[2], in[0]), pairs[1]);
    And(SD("cb"), (in[1], in[0]), pairs[0]);
    Or(SD("bc"), pairs, out);
}
