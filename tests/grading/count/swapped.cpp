// Wrong: a right full adder with its outputs swapped (the sum on count[1],
// the carry on count[0]): one ONE reads as 2, two as 1.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), pairs(3, "pairs"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Xor(SD("ab"), in, count[1]);
    And(SD("ac"), (in[2], in[1]), pairs[2]);
    And(SD("bc"), (in[2], in[0]), pairs[1]);
    And(SD("cc"), (in[1], in[0]), pairs[0]);
    Or(SD("cd"), pairs, count[0]);
}
