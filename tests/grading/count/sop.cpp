// Correct: sums of products. The sum is ONE for exactly one or all three
// inputs; the carry for any two.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), inv(3, "inv"), terms(4, "terms"), pairs(3, "pairs"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Not(SD("ab"), in[2], inv[2]);
    Not(SD("bb"), in[1], inv[1]);
    Not(SD("cb"), in[0], inv[0]);
    And(SD("ac"), (in[2], inv[1], inv[0]), terms[3]);
    And(SD("bc"), (inv[2], in[1], inv[0]), terms[2]);
    And(SD("cc"), (inv[2], inv[1], in[0]), terms[1]);
    And(SD("dc"), in, terms[0]);
    Or(SD("ad"), terms, count[0]);
    And(SD("ae"), (in[2], in[1]), pairs[2]);
    And(SD("be"), (in[2], in[0]), pairs[1]);
    And(SD("ce"), (in[1], in[0]), pairs[0]);
    Or(SD("bd"), pairs, count[1]);
}
