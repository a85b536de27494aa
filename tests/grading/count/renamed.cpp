// Right logic, but the output bus is called "ones", not "count".
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), pairs(3, "pairs"), ones(2, "ones");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Xor(SD("ab"), in, ones[0]);
    And(SD("ac"), (in[2], in[1]), pairs[2]);
    And(SD("bc"), (in[2], in[0]), pairs[1]);
    And(SD("cc"), (in[1], in[0]), pairs[0]);
    Or(SD("cd"), pairs, ones[1]);
}
