// Misuses of buses, one per run, chosen with -u 0 N:
//   1  bit 16 of a 16-wire bus        (ends the program, status 1)
//   2  a slice reaching outside       (reported; the result is empty)
//   3  a range from a wide bus        (ends the program, status 1)
//   4  assignment between buses       (ends the program, status 1)
//   5  a replication beyond the int range, 200000000 copies of 16 wires
//   6  a replication by a negative count
//   7  a bus declared with a negative width
// (5 to 7 end the program, status 1.)
// After a case that continues, the circuit reports what it was left with.
#include <cstdio>

#include "korvax.h"

void simnet() {
    Signal x(16, "x");
    Signal y(1, "y");
    switch (userRunTimeFlag[0]) {
    case 1: {
        Signal bit = x[16];
        std::fprintf(stderr, "still running with %s\n", bit.nameTag);
        break;
    }
    case 2: {
        Signal slice = x.sub(17, 2);
        std::fprintf(stderr, "slice has %d wires\n", slice.length);
        Signal low = x.sub(3, -1);
        std::fprintf(stderr, "slice has %d wires\n", low.length);
        break;
    }
    case 3: {
        Signal range = x - y;
        std::fprintf(stderr, "still running with %d wires\n", range.length);
        break;
    }
    case 4: {
        Signal z(2, "z");
        z = x;
        std::fprintf(stderr, "z: %d wires named %s, first wire %d\n", z.length, z.nameTag, z.serialNumber[0]);
        break;
    }
    case 5: {
        Signal wide = 200000000 * x;
        std::fprintf(stderr, "still running with %d wires\n", wide.length);
        break;
    }
    case 6: {
        Signal none = -2 * y;
        std::fprintf(stderr, "still running with %d wires\n", none.length);
        break;
    }
    case 7: {
        Signal negative(-3, "negative");
        std::fprintf(stderr, "still running with %d wires\n", negative.length);
        break;
    }
    }
}
