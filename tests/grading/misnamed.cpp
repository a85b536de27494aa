// Correct logic, but the output bus is called "result": the vectors name a
// bus this circuit does not have.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), pairs(3, "pairs"), result(1, "result");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    And(SD("ab"), (in[2], in[1]), pairs[2]);
    And(SD("bb"), (in[2], in[0]), pairs[1]);
    And(SD("cb"), (in[1], in[0]), pairs[0]);
    Or(SD("bc"), pairs, result);
}
