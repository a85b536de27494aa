// Correct, and talks while it builds: lines on both streams that look like
// results must change nothing.
#include <cstdio>

#include "korvax.h"

void simnet() {
    std::printf("building the counter\nok 1\n");
    std::fprintf(stderr, "FAIL 2: count is 1 expected 0 at time 0\n");
    Signal in(3, "in"), pairs(3, "pairs"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Xor(SD("ab"), in, count[0]);
    And(SD("ac"), (in[2], in[1]), pairs[2]);
    And(SD("bc"), (in[2], in[0]), pairs[1]);
    And(SD("cc"), (in[1], in[0]), pairs[0]);
    Or(SD("cd"), pairs, count[1]);
}
