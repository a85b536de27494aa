// Wrong: a half adder of in[2] and in[1]; in[0] is never used.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Xor(SD("ab"), (in[2], in[1]), count[0]);
    And(SD("ac"), (in[2], in[1]), count[1]);
}
