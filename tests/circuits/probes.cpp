// Probes: partitions, side-by-side probes, levels of detail and byte
// probes. -u 0 N picks the case:
//   0  a 10-wire probe in groups of 4 and a 3-wire ProbeH; lists what was
//      registered, then runs: probes print at time 0 and at each change
//   1  probes at levels 1, 2 and 3 (try with -F D, -F DD)
//   2  a byte probe on 7 wires (ends the program when first drawn)
//   3  a byte probe on 8 wires
#include <cstdio>

#include "korvax.h"

void simnet() {
    switch (userRunTimeFlag[0]) {
    case 0: {
        Signal wide(10, "wide"), three(3, "three");
        const int sizes[] = {4};
        Probe(SD("aa"), wide, "", 1, sizes);
        ProbeH(SD("ab", "H"), three, "t");
        for (const ComponentNode* c = phaseOne->componentList.start; c; c = c->ptr)
            std::fprintf(stderr, "%d %s at %s level %d\n", c->componentIndex, c->decal, positionString(c->position),
                         c->graphicLevel);
        Not(SD("ba"), Signal(1, "x"), wide[9]);
        break;
    }
    case 1: {
        Signal x(1, "x");
        SD top("aa");
        SD middle(top, "bb");
        SD deep(middle, "cc");
        Not(top, Zero, x);
        Probe(top, x, "level1");
        Probe(middle, x, "level2");
        Probe(deep, x, "level3");
        break;
    }
    case 2: ProbeByte(SD("aa"), Signal(7, "seven"), ""); break;
    case 3: {
        Signal byte(8, 0x5Au, "byte");
        ProbeByteH(SD("aa"), byte, "");
        ProbeByte(SD("ab"), byte, "b");
        break;
    }
    }
}
