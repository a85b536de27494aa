// Memories operated by keys. -u 0 N picks the circuit:
//   0  four memories of 2-bit words on one set of switches, one read and one
//      write port each, addressed by keys a (bit 1) and b (bit 0), data keys
//      c (bit 1) and d (bit 0), strobe key s, enable key e:
//        ram    a 4-word Ram
//        file   a 4-word RegisterFile (word 0 reads ZERO)
//        short  a 3-word Ram: address 3 is beyond its last word
//        blind  a 4-word Ram whose write address has an XXX bit
//   1  a 64-word 16-bit Rom addressed by key r (address 0 or 11), and a
//      2-word Ram of 2 bits addressed by key a, strobe key s, data 11, enable
//      One; key z restarts the run once
#include "bitProbes.h"

namespace {

// Restarts the run when its input is first seen ONE; once per process, so
// that the replayed keys after the restart do not restart it again.
void restartOnce(int c) {
    static bool fired = false;
    if (!fired && phaseThree->currentSignals[phaseTwo->dataInputs[c][0]] == ONE) {
        fired = true;
        reStart = 1;
    }
}

}  // namespace

void simnet() {
    switch (userRunTimeFlag[0]) {
    case 0: {
        Signal a(2, "a"), d(2, "d"), strobe(1, "strobe"), enable(1, "enable");
        Switch(nextCell(), a, 'a', Zero, "address");
        Switch(nextCell(), d, 'c', Zero, "data");
        Switch(nextCell(), strobe, 's', Zero, "strobe");
        Switch(nextCell(), enable, 'e', Zero, "enable");
        const Signal control = ((enable, strobe, a), a);
        Signal ram(2, "ram"), file(2, "file"), shortRam(2, "short"), blind(2, "blind");
        Ram(nextCell(), control, d, ram, 4, 2, 2, 1, 1);
        RegisterFile(nextCell(), control, d, file, 4, 2, 2, 1, 1);
        Ram(nextCell(), control, d, shortRam, 3, 2, 2, 1, 1);
        Ram(nextCell(), ((enable, strobe, Zero, unknownWire("wx")), a), d, blind, 4, 2, 2, 1, 1);
        probeBits("a", a);
        probeBits("d", d);
        probeBits("strobe", strobe);
        probeBits("enable", enable);
        probeBits("ram", ram);
        probeBits("file", file);
        probeBits("short", shortRam);
        probeBits("blind", blind);
        break;
    }
    case 1: {
        static unsigned char contents[64 * 2];
        contents[1] = 0xFF;  // word 0 = 0x00FF
        contents[22] = 0x48;  // word 11 = 0x4813
        contents[23] = 0x13;
        Signal r(1, "r"), word(16, "word");
        Switch(nextCell(), r, 'r', Zero, "r");
        Rom(nextCell(), (Zero, Zero, r, Zero, r, r), word, 64, 16, contents);
        // Changing the caller's array afterwards has no effect on the Rom.
        contents[23] = 0;
        Signal a(1, "a"), strobe(1, "strobe"), z(1, "z"), ram(2, "ram");
        Switch(nextCell(), a, 'a', Zero, "a");
        Switch(nextCell(), strobe, 's', Zero, "strobe");
        Switch(nextCell(), z, 'z', Zero, "z");
        Ram(nextCell(), ((One, strobe, a), a), Signal(2, 3u, "d"), ram, 2, 2, 1, 1, 1);
        addStandardComponent(restartOnce, nullptr, "Restart", nextCell(), z, Signal(0, "UnNamed"),
                             Signal(0, "UnNamed"));
        probeBits("r", r);
        probeBits("word", word);
        probeBits("a", a);
        probeBits("strobe", strobe);
        probeBits("ram", ram);
        break;
    }
    }
}
