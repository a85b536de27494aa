// Correct but slow: the sum passes through eight inverters, so it settles
// long after the carry.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), chain(9, "chain"), pairs(3, "pairs"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Xor(SD("ab"), in, chain[0]);
    for (int i = 0; i < 7; i++) Not(SD("bb"), chain[i], chain[i + 1]);
    Not(SD("cb"), chain[7], count[0]);
    And(SD("ac"), (in[2], in[1]), pairs[2]);
    And(SD("bc"), (in[2], in[0]), pairs[1]);
    And(SD("cc"), (in[1], in[0]), pairs[0]);
    Or(SD("cd"), pairs, count[1]);
}
