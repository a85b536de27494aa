// Does not compile: a comma missing between two arguments.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Xor(SD("ab"), in count[0]);
    And(SD("ac"), (in[2], in[1]), count[1]);
}
