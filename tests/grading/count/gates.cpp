// Correct: a full adder of And, Or and Xor gates; the sum is count[0], the
// carry count[1].
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), half(1, "half"), ab(1, "ab"), carried(1, "carried"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Xor(SD("ab"), (in[2], in[1]), half);
    Xor(SD("bb"), (half, in[0]), count[0]);
    And(SD("ac"), (in[2], in[1]), ab);
    And(SD("bc"), (half, in[0]), carried);
    Or(SD("cc"), (ab, carried), count[1]);
}
