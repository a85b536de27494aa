// Correct, with multiplexers on in[2]: the sum is b XOR c or its inverse,
// the carry b AND c or b OR c.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), odd(1, "odd"), even(1, "even"), both(1, "both"), either(1, "either"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Xor(SD("ab"), (in[1], in[0]), odd);
    Not(SD("bb"), odd, even);
    And(SD("ac"), (in[1], in[0]), both);
    Or(SD("bc"), (in[1], in[0]), either);
    Mux(SD("ad"), in[2], (even, odd), count[0]);
    Mux(SD("bd"), in[2], (either, both), count[1]);
}
