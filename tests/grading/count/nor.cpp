// Wrong: the carry's last gate is a NOR where an OR belongs.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), pairs(3, "pairs"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Xor(SD("ab"), in, count[0]);
    And(SD("ac"), (in[2], in[1]), pairs[2]);
    And(SD("bc"), (in[2], in[0]), pairs[1]);
    And(SD("cc"), (in[1], in[0]), pairs[0]);
    Nor(SD("cd"), pairs, count[1]);
}
