// What kind of library component a component is, told from the functions it
// registered, and what the explanations of a circuit need to know about
// each kind: its name, the lazy delay of its outputs, its role in a timing
// path, and for the clocked kinds which inputs are the clock and which are
// sampled. The oscillation watch, the timing report (-R) and the chains of
// causes (-Y) read this; the run loop never does.
#ifndef KORVAX_KINDS_H
#define KORVAX_KINDS_H

#include <string>

// A component's part in the flow of values.
enum KindRole {
    combinationalRole,  // outputs follow the inputs after the lazy delay
    sourceRole,         // a switch, pulser, clock or power-on pulse: outputs start paths
    sequentialRole,     // flip-flops, registers, counters: inputs end paths, outputs start them
    memoryRole,         // RAM and register files: read addresses flow through, writes are clocked
    probeRole,          // probes: inputs end paths
    otherRole           // modules, spaces, stops, text outputs, the circuit's own kinds: left out
};

struct KindInfo {
    const char* name;  // the constructor's name, e.g. "Dff"
    KindRole role;
    int lazy;          // ticks from an input change to the settled output (read delay for memories)
};

// The kind of component c (needs phaseTwo).
const KindInfo& kindOf(int c);

// Input pins are numbered data inputs first, then control inputs.
// The wire on input pin p of component c.
int inputWire(int c, int p);
// Data plus control inputs of c.
int inputCount(int c);

// The clocking of a sequential component or of a memory's write port.
struct ClockedPins {
    int clockPin;      // input pin of the clock (strobe for a memory's write port), or -1
    bool captureRise;  // samples its data as the clock pin rises (false: as it falls)
    bool launchRise;   // its outputs change as the clock pin rises (false: as it falls)
    int sampled[40];   // input pins sampled at the capture edge
    int sampledCount;  // entries of sampled used (at most 40; a wider bus keeps its first 40)
};

// The clocking of c's port `port` (0 for flip-flops, registers and
// counters; a memory has one per write port). False when c has no such
// clocked port.
bool clockedPins(int c, int port, ClockedPins& pins);
// The write ports of a memory, 1 for the other sequential kinds, else 0.
int clockedPortCount(int c);

// For a memory: whether input pin p is a read address, which reaches the
// outputs after the read delay. Every input of a combinational component
// does; no input of other roles does.
bool flowsThrough(int c, int p);

// Whether a change of the output of c is the complement of a change of its
// input (Not, Nand, Nor, Xnor, and the complementing mixed gates).
bool inverts(int c);

// The components that drive wire w (module boxes, which only stand for
// what is inside them, left out), ascending; `count` gets how many. Built
// on the first call, in time linear in the pins.
const int* driversOf(int w, int& count);

// Component c in words, as the explanations name it: its kind, its label
// when that differs from the kind, its position and the circuit line that
// built it, e.g. `Nand "q" at ab, in latch.cpp:12`.
std::string componentText(int c);

#endif
