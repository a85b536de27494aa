// Keyboard inputs and timed sources, watched by probes (headless probe
// lines on standard error). -u 0 N picks the circuit:
//   0  a 4-wire switch on key 'a' (keys a..d) and a pulser on key 'p'
//   1  a clock (10, 0, 40 from ZERO), a power-on pulse (100 from ONE), and a
//      stop whose input rises at 169 with a second power-on pulse
#include "korvax.h"

void simnet() {
    switch (userRunTimeFlag[0]) {
    case 0: {
        Signal s(4, "s"), pulse(2, "pulse");
        Switch(SD("aa"), s, 'a', Zero, "bits");
        Pulser(SD("ab"), pulse, 'p', 20, Zero);
        Probe(SD("ba"), s, "");
        Probe(SD("bb"), pulse[0], "pulse");
        break;
    }
    case 1: {
        Signal clk(1, "clk"), reset(1, "reset"), end(1, "end");
        Clock(SD("aa"), clk, 10, 0, 40, Zero);
        PowerOn(SD("ab"), reset, 100, One);
        PowerOn(SD("ac"), end, 160, Zero);
        Stop(SD("ad"), end);
        Probe(SD("ba"), clk, "clk");
        Probe(SD("bb"), reset, "reset");
        Probe(SD("bc"), end, "end");
        break;
    }
    }
}
