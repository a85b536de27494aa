// Compiles, but the circuit is miswired: an Adder of eight inputs with
// three outputs. Graded as a build error with the circuit's own message.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), sum(3, "sum"), out(1, "out");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Adder(SD("ab"), (in, in, in[0], in[1]), sum);
    Or(SD("bc"), sum, out);
}
