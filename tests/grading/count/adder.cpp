// Correct, with the library's adders: in[2] + in[1], then + in[0].
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), first(2, "first"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Adder(SD("ab"), (Zero, in[1], Zero, in[2]), first);
    Adder(SD("bb"), (Zero, in[0], first), count);
}
