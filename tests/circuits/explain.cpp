// Circuits that the explanations are tried on: where a circuit oscillates,
// how fast it may be clocked, and why a wire is unknown.
//
// -u 0 N picks the circuit:
//   0 (default)  a ring of three inverters, closed through an And that
//                key a opens: from then on it never settles (left to
//                itself, a ring of inverters starts and stays at XXX);
//   1            a latch of two Nands whose inputs, one wire, rise together
//                at key a: from then on both outputs swing for ever;
//   2            a 4-bit accumulator that adds 1 at every rising edge of a
//                Clock: four Dffs and a ripple adder of gates, cleared by
//                a PowerOn pulse; an IntOut prints the count at every
//                rising edge. -u 1 P sets the Clock's period (default 200)
//                and its high time P / 2;
//   3            an And with an input that nothing drives, feeding y;
//   4            a Dff whose clock (key c) is never pressed: q;
//   5            a Dff clocked by key c that loads D, the complement of a
//                wire nothing drives: q;
//   6            two tri-state buffers on bus b: key a turns on the one
//                that drives ONE, key b the one that drives ZERO (refused
//                while the first holds the bus).
#include "korvax.h"

namespace {

void ring() {
    Signal run(1, "run"), x(1, "x"), r(3, "r");
    Switch(SD("aa"), run, 'a', Zero, "run");
    And(SD("ab"), (run, r[2]), x);
    Not(SD("ba"), x, r[0]);
    Not(SD("bb"), r[0], r[1]);
    Not(SD("bc"), r[1], r[2]);
}

void latch() {
    Signal set(1, "set"), q(1, "q"), qb(1, "qb");
    Switch(SD("aa"), set, 'a', Zero, "set");
    Nand(SD("ab"), (set, qb), q);
    Nand(SD("ac"), (set, q), qb);
}

// s = a + b + c, co the carry: five gates, as the multiplier benchmark
// builds them.
void fullAdder(const SD& sd, const Signal& a, const Signal& b, const Signal& c, const Signal& s, const Signal& co) {
    Signal h(1, "h"), g(1, "g"), t(1, "t");
    Xor(sd, (a, b), h);
    Xor(sd, (h, c), s);
    And(sd, (a, b), g);
    And(sd, (h, c), t);
    Or(sd, (g, t), co);
}

void accumulator() {
    const int period = userRunTimeFlag[1] > 0 ? userRunTimeFlag[1] : 200;
    Signal clk(1, "clk"), clear(1, "clear"), acc(4, "acc"), sum(4, "sum"), carry(5, "carry");
    Clock(SD("aa"), clk, period / 2, 100, period, Zero);
    PowerOn(SD("ab"), clear, 50, One);
    const char* const adders[] = {"ba", "bb", "bc", "bd"};
    const char* const flipFlops[] = {"ca", "cb", "cc", "cd"};
    for (int i = 0; i < 4; i++) {
        fullAdder(SD(adders[i]), acc[i], i == 0 ? One : Zero, i == 0 ? Zero : carry[i], sum[i], carry[i + 1]);
        Dff(SD(flipFlops[i]), (Zero, sum[i], clk, clear), acc[i]);
    }
    IntOut(SD("db"), (One, clk), acc);
}

void undriven() {
    Signal u(1, "u"), s(1, "s"), y(1, "y");
    Switch(SD("aa"), s, 's', One, "s");
    And(SD("ab"), (s, u), y);
}

// Key c clocks the flip-flop; with `fromUndriven` its D is Not(u).
void flipFlop(bool fromUndriven) {
    Signal clk(1, "clk"), d(1, "d"), u(1, "u"), q(1, "q");
    Switch(SD("aa"), clk, 'c', Zero, "clk");
    if (fromUndriven)
        Not(SD("ab"), u, d);
    else
        Switch(SD("ab"), d, 'd', One, "d");
    Dff(SD("ac"), (Zero, d, clk, Zero), q);
}

void conflict() {
    Signal ea(1, "ea"), eb(1, "eb"), b(1, "b");
    Switch(SD("aa"), ea, 'a', Zero, "ea");
    Switch(SD("ab"), eb, 'b', Zero, "eb");
    Tsb(SD("ba"), One, ea, b);
    Tsb(SD("bb"), Zero, eb, b);
}

}  // namespace

void simnet() {
    switch (userRunTimeFlag[0]) {
    case 1: latch(); break;
    case 2: accumulator(); break;
    case 3: undriven(); break;
    case 4: flipFlop(false); break;
    case 5: flipFlop(true); break;
    case 6: conflict(); break;
    default: ring(); break;
    }
}
