// Never settles: a free-running clock left in the circuit means no quiet
// moment ever comes, so no check is made and the run hits the time limit.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), out(1, "out"), tick(1, "tick");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Clock(SD("ab"), tick, 10, 0, 40, Zero);
    And(SD("bb"), (in[2], in[1]), out);
}
