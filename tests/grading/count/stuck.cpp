// Wrong: both outputs are ANDed with ZERO, so the count is always 0.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    And(SD("ab"), (in[0], Zero), count[0]);
    And(SD("ac"), (in[1], Zero), count[1]);
}
