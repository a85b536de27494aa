// Correct, of NAND gates only: NAND of the three pairwise NANDs.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), n(3, "n"), out(1, "out");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Nand(SD("ab"), (in[2], in[1]), n[2]);
    Nand(SD("bb"), (in[2], in[0]), n[1]);
    Nand(SD("cb"), (in[1], in[0]), n[0]);
    Nand(SD("bc"), n, out);
}
