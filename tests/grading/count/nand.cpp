// Correct, of NAND gates only: two exclusive ORs of four NANDs each for the
// sum, and one more NAND for the carry.
#include "korvax.h"

void simnet() {
    Signal in(3, "in"), n(6, "n"), half(1, "half"), count(2, "count");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Nand(SD("ab"), (in[2], in[1]), n[0]);
    Nand(SD("bb"), (in[2], n[0]), n[1]);
    Nand(SD("cb"), (in[1], n[0]), n[2]);
    Nand(SD("db"), (n[1], n[2]), half);
    Nand(SD("ac"), (half, in[0]), n[3]);
    Nand(SD("bc"), (half, n[3]), n[4]);
    Nand(SD("cc"), (in[0], n[3]), n[5]);
    Nand(SD("dc"), (n[4], n[5]), count[0]);
    Nand(SD("ad"), (n[0], n[3]), count[1]);
}
