// Wrong: the carry ORs in a wire that nothing drives, so it is ONE when
// in[2] AND in[1] and unknown otherwise.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), ab(1, "ab"), carried(1, "carried"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Xor(SD("ab"), in, count[0]);
    And(SD("ac"), (in[2], in[1]), ab);
    Or(SD("cc"), (ab, carried), count[1]);
}
