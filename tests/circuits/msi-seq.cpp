// Clocked medium-scale units operated by keys. -u 0 N picks the circuit:
//   0  Dffs: A with clear tied to One, B with clear on key r (starting ONE),
//      C with clear XXX; clock on key c and D on key d for all three
//   1  3-bit Counter, count clock on key c, clear on key r (starting ZERO);
//      a second Counter on the same clock whose clear is One from the start
//   2  2-bit Counter driven by a fixed waveform whose second falling edge
//      comes while bit 0 is still in transition, then cleared and counted
//   3  Jkff: J on key j and K on key k (both starting ONE), clock on key c
//   4  Register: write on key w, enable from a Mux that shows XXX while key
//      x is off and key e's value while it is on; data 10
//   5  BitAddressibleRegisters sharing write (key w), enable One, bitIn One:
//      A clears on key r and has an unknown write address; B has clear and
//      set both on key b, write and read address 2
#include "bitProbes.h"

namespace {

// A stimulus for circuit 2: at its first evaluation it queues a fixed list
// of changes on its outputs, out[0] the count clock and out[1] the clear.
void waveform(int c) {
    if (phaseTwo->state[c]) return;
    phaseTwo->state[c] = 1;
    struct Change {
        int output;
        int time;
        SignalValue value;
    };
    static const Change changes[] = {{1, 10, ZERO}, {1, 20, ONE},  {0, 10, ZERO},  {0, 30, ONE},
                                     {0, 40, ZERO}, {0, 45, ONE},  {0, 55, ZERO},  {0, 80, ONE},
                                     {0, 90, ZERO}, {1, 100, ZERO}, {1, 110, ONE}, {0, 120, ONE},
                                     {0, 130, ZERO}};
    for (const Change& ch : changes)
        phaseFour->signalTransition(phaseTwo->outputs[c][ch.output], ch.value, ch.time - 1, ch.time);
}

}  // namespace

void simnet() {
    switch (userRunTimeFlag[0]) {
    case 0: {
        Signal clock(1, "clock"), d(1, "d"), clearB(1, "clearB"), qa(1, "qa"), qb(1, "qb"), qc(1, "qc");
        Switch(nextCell(), clock, 'c', Zero, "clock");
        Switch(nextCell(), d, 'd', Zero, "d");
        Switch(nextCell(), clearB, 'r', One, "clearB");
        Dff(nextCell(), (Zero, d, Zero, One), qa);
        Dff(nextCell(), (Zero, d, clock, clearB), qb);
        Dff(nextCell(), (Zero, d, clock, unknownWire("clearC")), qc);
        probeBits("clock", clock);
        probeBits("d", d);
        probeBits("clearB", clearB);
        probeBits("qa", qa);
        probeBits("qb", qb);
        probeBits("qc", qc);
        break;
    }
    case 1: {
        Signal clock(1, "clock"), clear(1, "clear"), count(3, "count"), held(2, "held");
        Switch(nextCell(), clock, 'c', Zero, "clock");
        Switch(nextCell(), clear, 'r', Zero, "clear");
        Counter(nextCell(), (clear, clock), count);
        Counter(nextCell(), (One, clock), held);
        probeBits("count", count);
        probeBits("held", held);
        break;
    }
    case 2: {
        Signal clock(1, "clock"), clear(1, "clear"), count(2, "count");
        addStandardComponent(waveform, nullptr, "Wave", nextCell(), Signal(0, "UnNamed"), Signal(0, "UnNamed"),
                             (clear, clock));
        Counter(nextCell(), (clear, clock), count);
        probeBits("clear", clear);
        probeBits("clock", clock);
        probeBits("count", count);
        break;
    }
    case 3: {
        Signal j(1, "j"), k(1, "k"), clock(1, "clock"), q(2, "q");
        Switch(nextCell(), j, 'j', One, "j");
        Switch(nextCell(), k, 'k', One, "k");
        Switch(nextCell(), clock, 'c', Zero, "clock");
        Jkff(nextCell(), (Zero, j, clock, k, Zero), q);
        probeBits("j", j);
        probeBits("k", k);
        probeBits("clock", clock);
        probeBits("q", q);
        break;
    }
    case 4: {
        Signal write(1, "write"), x(1, "x"), e(1, "e"), enable(1, "enable"), out(2, "out");
        Switch(nextCell(), write, 'w', Zero, "write");
        Switch(nextCell(), x, 'x', Zero, "x");
        Switch(nextCell(), e, 'e', Zero, "e");
        Mux(nextCell(), x, (e, unknownWire("unknown")), enable);
        Register(nextCell(), enable, write, Signal(2, 0x2u, "data"), out);
        probeBits("write", write);
        probeBits("enable", enable);
        probeBits("out", out);
        break;
    }
    case 5: {
        Signal write(1, "write"), clearA(1, "clearA"), both(1, "both"), regA(4, "regA"), bitA(1, "bitA"),
            regB(4, "regB"), bitB(1, "bitB");
        Switch(nextCell(), write, 'w', Zero, "write");
        Switch(nextCell(), clearA, 'r', Zero, "clearA");
        Switch(nextCell(), both, 'b', Zero, "both");
        BitAddressibleRegister(nextCell(), clearA, Zero, One, write, One, (Zero, unknownWire("waA")),
                               Signal(2, 0x0u, "raA"), bitA, regA);
        BitAddressibleRegister(nextCell(), both, both, One, write, One, Signal(2, 0x2u, "waB"),
                               Signal(2, 0x2u, "raB"), bitB, regB);
        probeBits("regA", regA);
        probeBits("bitA", bitA);
        probeBits("regB", regB);
        probeBits("bitB", bitB);
        break;
    }
    }
}
