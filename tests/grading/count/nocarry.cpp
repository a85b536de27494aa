// Wrong: the carry only sees in[2] AND in[1], so two ONEs elsewhere count 0.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Xor(SD("ab"), in, count[0]);
    And(SD("ac"), (in[2], in[1]), count[1]);
}
