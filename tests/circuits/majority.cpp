// The README's first circuit, for the test vectors: ONE when at least two of
// three switches are ONE. Keys a, b, c flip in[2], in[1], in[0].
#include "korvax.h"

void simnet() {
    Signal in(3, "in");
    Signal pairs(3, "pairs"), out(1, "out");

    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    And(SD("ab"), (in[2], in[1]), pairs[2]);
    And(SD("bb"), (in[2], in[0]), pairs[1]);
    And(SD("cb"), (in[1], in[0]), pairs[0]);
    Or(SD("bc", "majority"), pairs, out);
    Probe(SD("bd"), out, "out");
}
