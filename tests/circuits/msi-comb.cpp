// Combinational medium-scale units on constant and keyed inputs.
// -u 0 N picks the circuit:
//   0  Mux with an undriven select; Decoders enabled by One and by Zero with
//      an undriven select (values from time 0 at ticks 13 and 17)
//   1  4-bit Adders (0111+0001, 1111+0001, an XXX in bit 0), Increments
//      (0111, 1111, 01X1), Encoders (position 6, and with position 1 XXX),
//      a Decoder with enable XXX
//   2  Gate: keys c (clock) and e (enable)
#include "bitProbes.h"

void simnet() {
    switch (userRunTimeFlag[0]) {
    case 0: {
        Signal sel(1, "sel"), data(2, "data"), m(1, "m"), dsel(2, "dsel"), d1(4, "d1"), d0(4, "d0");
        Mux(nextCell(), sel, data, m);
        Decoder(nextCell(), One, dsel, d1);
        Decoder(nextCell(), Zero, dsel, d0);
        probeBits("mux", m);
        probeBits("decOne", d1);
        probeBits("decZero", d0);
        break;
    }
    case 1: {
        Signal s1(4, "s1"), s2(4, "s2"), s3(4, "s3");
        Adder(nextCell(), (Signal(4, 0x1u, "b1"), Signal(4, 0x7u, "a1")), s1);
        Adder(nextCell(), (Signal(4, 0x1u, "b2"), Signal(4, 0xFu, "a2")), s2);
        // a = 001X, b = 0010: bit 0 unknown, the carry into bit 1 still ZERO.
        Adder(nextCell(), (Signal(4, 0x2u, "b3"), (Signal(3, 0x1u, "a3"), unknownWire("a3x"))), s3);
        Signal i1(4, "i1"), i2(4, "i2"), i3(4, "i3");
        Increment(nextCell(), Signal(4, 0x7u, "n1"), i1);
        Increment(nextCell(), Signal(4, 0xFu, "n2"), i2);
        Increment(nextCell(), (Signal(2, 0x1u, "n3hi"), unknownWire("n3x"), One), i3);
        Signal c1(3, "c1"), v1(1, "v1"), c2(3, "c2"), v2(1, "v2");
        Encoder(nextCell(), Signal(8, 0x40u, "e1"), c1, v1);
        Encoder(nextCell(), (Signal(6, 0x10u, "e2hi"), unknownWire("e2x"), Zero), c2, v2);
        Signal dx(4, "dx");
        Decoder(nextCell(), unknownWire("en"), Signal(2, 0x2u, "dxsel"), dx);
        probeBits("sumA", s1);
        probeBits("sumB", s2);
        probeBits("sumC", s3);
        probeBits("incA", i1);
        probeBits("incB", i2);
        probeBits("incC", i3);
        probeBits("encA", (v1, c1));
        probeBits("encB", (v2, c2));
        probeBits("decX", dx);
        break;
    }
    case 2: {
        Signal clock(1, "clock"), enable(1, "enable"), out(1, "out");
        Switch(nextCell(), clock, 'c', Zero, "clock");
        Switch(nextCell(), enable, 'e', Zero, "enable");
        Gate(nextCell(), (enable, clock), out);
        probeBits("clock", clock);
        probeBits("enable", enable);
        probeBits("gate", out);
        break;
    }
    }
}
