// A circuit that shows all five values, for the waveform file: a tri-state
// buffer on a bus (HIZ until key e enables it), a wire nothing drives
// (UNINITIALIZED for ever), gates in transition (XXX) and a RAM whose word
// is read before it is written (UNINITIALIZED, then the written word).
// Keys: e enables the buffer, c and d flip data bits 1 and 0, w pulses the
// write strobe.
// Every wire has a probe, so the probe lines show each change.
#include "korvax.h"

void simnet() {
    Signal enable(1, "enable"), bus(1, "bus"), floating(1, "floating");
    Switch(SD("aa"), enable, 'e', Zero, "enable");
    Tsb(SD("ab"), One, enable, bus);

    Signal data(2, "data"), write(1, "write"), word(2, "word"), notWrite(1, "notWrite");
    Switch(SD("ba-bb"), data, 'c', Zero, "data");
    Pulser(SD("bc"), write, 'w', 30, Zero);
    Not(SD("bd"), write, notWrite);
    // Four words of two bits at address 0: control (enable, strobe, write
    // address, read address).
    Ram(SD("ca", "ram"), ((One, write, Zero, Zero), (Zero, Zero)), data, word, 4, 2, 2, 1, 1);

    Probe(SD("da"), enable, "enable");
    Probe(SD("db"), bus, "bus");
    Probe(SD("dc"), floating, "floating");
    Probe(SD("dd"), data[1], "data1");
    Probe(SD("de"), data[0], "data0");
    Probe(SD("df"), write, "write");
    Probe(SD("dg"), notWrite, "notWrite");
    Probe(SD("dh"), word[1], "word1");
    Probe(SD("di"), word[0], "word0");
}
