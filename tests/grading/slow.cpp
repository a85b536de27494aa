// Correct but slow: the result passes through a chain of eight inverters,
// so it settles long after the other circuits.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), pairs(3, "pairs"), chain(9, "chain"), out(1, "out");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    And(SD("ab"), (in[2], in[1]), pairs[2]);
    And(SD("bb"), (in[2], in[0]), pairs[1]);
    And(SD("cb"), (in[1], in[0]), pairs[0]);
    Or(SD("bc"), pairs, chain[0]);
    for (int i = 0; i < 7; i++) Not(SD("cc"), chain[i], chain[i + 1]);
    Not(SD("cd"), chain[7], out);
}
