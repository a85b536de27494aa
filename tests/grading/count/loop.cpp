// Wrong: a free-running clock left in the circuit (on a bus whose name has
// markup characters in it), so no quiet moment ever comes.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), tick(1, "tick<&\"'>"), pairs(3, "pairs"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Clock(SD("ab"), tick, 10, 0, 40, Zero);
    Xor(SD("bb"), in, count[0]);
    And(SD("ac"), (in[2], in[1]), pairs[2]);
    And(SD("bc"), (in[2], in[0]), pairs[1]);
    And(SD("cc"), (in[1], in[0]), pairs[0]);
    Or(SD("cd"), pairs, count[1]);
}
