// Component kinds: every kind of the component library under the name of
// the constructor that registers it, with the functions and icon it
// registers, its part in the flow of values and its lazy delay. A
// component's kind is told from what it registered (the functions, and
// for the kinds without any the icon as given, before visibleFlag hides
// it). The oscillation watch, the timing report (-R) and the chains of
// causes (-Y) read the kinds' roles and delays; the netlist files write a
// kind by name and read it back into the same functions. A component that
// registers functions of the circuit's own has no kind, and its netlist
// cannot be written. The icon tables have names too, for the same files.
// The run loop never reads any of this.
#ifndef KORVAX_KINDS_H
#define KORVAX_KINDS_H

#include <string>

#include "CompList.h"

// A component's part in the flow of values.
enum KindRole {
    combinationalRole,  // outputs follow the inputs after the lazy delay
    sourceRole,         // a switch, pulser, clock or power-on pulse: outputs start paths
    sequentialRole,     // flip-flops, registers, counters: inputs end paths, outputs start them
    memoryRole,         // RAM and register files: read addresses flow through, writes are clocked
    probeRole,          // probes: inputs end paths
    otherRole           // modules, spaces, stops, text outputs, the circuit's own kinds: left out
};

// What the explanations of a circuit know of a kind.
struct KindInfo {
    const char* name;  // the constructor's name, e.g. "Dff" (no blanks)
    KindRole role;
    int lazy;          // ticks from an input change to the settled output (read delay for memories)
};

// One library kind: what the explanations know of it, and the functions
// every component of it registers.
struct ComponentKind : KindInfo {
    functionPointer logicEvaluate;    // evaluator, or null
    functionPointer drawDynamic;      // live-pane drawing, or null
    functionPointer xEventTriggered;  // keyboard hook, or null
    const int* icon;                  // for the kinds without functions: the icon that tells them
                                      // apart (Module, Space); null: any icon
};

extern const ComponentKind componentKinds[];
extern const int numberOfComponentKinds;

// The kind registered with these functions and icon (the icon as given,
// before visibleFlag hides it), or -1: the functions are the circuit's own
// (a secondary or heap-queue entry always is).
int kindRegisteredWith(functionPointer evaluate, SecondaryEvaluatePointer secondary, functionPointer drawDynamic,
                       functionPointer xEventTriggered, functionPointer heapQueueEventTriggered, const int* icon);

// The kind named `name`, or -1.
int kindNamed(const char* name);

// The library kind of component c as it registered (-1: its own
// functions), from phaseTwo's arrays and the icon it was given
// (registeredIcon, addStCmp.h).
int registeredKind(int c);

// The name of a library icon table ("and", "rect", …), or null for a table
// that is not the library's; "-" for no icon.
const char* iconName(const int* icon);
// The table named `name`; `found` is false for a name that is none.
const int* iconNamed(const char* name, bool& found);

// What a component of kind `kind` registered with these counts (and these
// integer parameters, wire numbers checked against `numberOfSignals`) has
// that the library's constructor never gives one, so that its evaluator
// could read outside its pins or parameters; null when nothing. The counts
// are those of ComponentNode.
struct KindShape {
    int dataInputs, controlInputs, outputs;
    int integerParameters;
    const int* integers;
    int byteParameters;
    int internal32, internal16, internal8;
};
const char* kindShapeError(int kind, const KindShape& shape, int numberOfSignals);

// The kind of component c as the explanations see it (needs phaseTwo): a
// memory as "Ram" or "RegisterFile", a module box as "Module", a component
// of nothing as "Space", any other without a library kind as "other".
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
