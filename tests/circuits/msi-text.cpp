// Text outputs strobed by keys. -u 0 N picks the circuit:
//   0  enabled by One, strobed by key s: Stderr with the codes 0x41, 10,
//      0x1B, 0x8A and one with an unknown bit; IntOut of a 16-bit 0x00FF, of
//      a 40-bit 0x8000000001, of a 65-bit 2^64, of a 100-bit
//      0x9_FFFFFFFF_00000000_12345678, of a bus with an unknown bit and of an
//      empty bus; HexOut of a 10-bit 0x2AF, a 16-bit 0x12CD, an 8-bit bus whose
//      bit 5 is unknown and an empty bus; then a Stderr line end
//   1  an IntOut of 7 strobed by key s whose enable comes from a Mux that
//      shows XXX while key x is off and key e's value while it is on
#include "bitProbes.h"

void simnet() {
    switch (userRunTimeFlag[0]) {
    case 0: {
        Signal strobe(1, "strobe");
        Switch(nextCell(), strobe, 's', Zero, "strobe");
        const Signal control = (One, strobe);
        Stderr(nextCell(), (control, Signal(8, 0x41u, "A")));
        Stderr(nextCell(), (control, Signal(8, 10u, "newline")));
        Stderr(nextCell(), (control, Signal(8, 0x1Bu, "escape")));
        Stderr(nextCell(), (control, Signal(8, 0x8Au, "high")));
        Stderr(nextCell(), (control, Signal(7, 0x21u, "partly"), unknownWire("c0")));
        IntOut(nextCell(), control, Signal(16, 0xFFu, "i255"));
        IntOut(nextCell(), control, (Signal(8, 0x80u, "wideHi"), Signal(32, 1u, "wideLo")));
        IntOut(nextCell(), control, (One, Signal(64, 0u, "twoTo64")));
        IntOut(nextCell(), control,
               (Signal(4, 0x9u, "w3"), Signal(32, 0xFFFFFFFFu, "w2"), Signal(32, 0u, "w1"),
                Signal(32, 0x12345678u, "w0")));
        IntOut(nextCell(), control, (unknownWire("i3"), Signal(3, 0x5u, "ilow")));
        IntOut(nextCell(), control, Signal(0, "UnNamed"));
        HexOut(nextCell(), control, Signal(10, 0x2AFu, "h2af"));
        HexOut(nextCell(), control, Signal(16, 0x12CDu, "h12cd"));
        HexOut(nextCell(), control, (Signal(2, 0x1u, "hhi"), unknownWire("h5"), Signal(5, 0x19u, "hlo")));
        HexOut(nextCell(), control, Signal(0, "UnNamed"));
        Stderr(nextCell(), (control, Signal(8, 10u, "end")));
        break;
    }
    case 1: {
        Signal strobe(1, "strobe"), x(1, "x"), e(1, "e"), enable(1, "enable");
        Switch(nextCell(), strobe, 's', Zero, "strobe");
        Switch(nextCell(), x, 'x', Zero, "x");
        Switch(nextCell(), e, 'e', Zero, "e");
        Mux(nextCell(), x, (e, unknownWire("unknown")), enable);
        IntOut(nextCell(), (enable, strobe), Signal(4, 7u, "seven"));
        probeBits("strobe", strobe);
        probeBits("enable", enable);
        break;
    }
    }
}
