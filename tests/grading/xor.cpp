// Correct, another structure: (a AND b) OR (c AND (a XOR b)), the carry of
// a full adder.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), ab(1, "ab"), half(1, "half"), carried(1, "carried"), out(1, "out");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    And(SD("ab"), (in[2], in[1]), ab);
    Xor(SD("bb"), (in[2], in[1]), half);
    And(SD("cb"), (half, in[0]), carried);
    Or(SD("bc"), (ab, carried), out);
}
