// Phase two: the netlist as parallel arrays. listsToArrays copies the
// phase-one lists into per-component arrays (indexed by component number),
// per-wire arrays (indexed by serial number) and the switch key table.
// Evaluators, the run loop, the connectivity check and the display all read
// their data here by index; nothing is looked up by name. The arrays live
// until the program ends.
#ifndef KORVAX_PH2_H
#define KORVAX_PH2_H

#include <string>

#include "CompList.h"
#include "Signal.h"
#include "SourcePlace.h"
#include "display/ScrnTile.h"

// What the run loop and the small gates read of an activated component, in
// one 32-byte record so that one memory access brings it: the two calls the
// loop makes, and copies of the pins a gate with up to two data inputs and
// one output needs. The copies are made once, by listsToArrays; the pin
// arrays of PhaseTwo remain the whole description of every component.
struct RunTimeCalls {
    functionPointer logicEvaluate;  // evaluator, or null
    functionPointer drawDynamic;    // live-pane drawing, or null
    int numberOfDataInputs;         // as numberOfDataInputs
    int firstOutput;                // outputs[0], or -1 when there is no output
    int firstDataInputs[2];         // dataInputs[0] and [1], where they exist (else -1)
};

class PhaseTwo {
public:
    int numberOfSignals;         // wire count
    int numberOfComponents;      // component count
    int numberOfSwitches;        // keyboard-switch count
    int maxGraphicDisplayLevel;  // deepest graphicLevel of any component, at least 1

    // Per component:
    RunTimeCalls* runTimeCalls;                     // logicEvaluate, drawDynamic and the first pins
    SecondaryEvaluatePointer* secondaryEvaluate;    // as registered; not called
    functionPointer* xEventTriggered;               // keyboard hook, or null
    functionPointer* heapQueueEventTriggered;       // as registered; not called
    const int** iconArrays;                         // icon table, or null (not drawn)
    int* state;                                     // the evaluator's state word; 0 at every (re)start
    ScreenTile* tile;                               // screen rectangle, filled by the tiling
    int* outputOverloadable;
    int* selfActivating;
    int* multiplexer;                               // 1: a multiplexer (Mux), where F7's lines end
    int* graphicLevel;
    const PositionField** rcpos;                    // position strings (shared records; positionString for the text)
    char** decal;                                   // owned labels
    int* numberOfDataInputs;
    int** dataInputs;                               // serial numbers, or null when none
    int* numberOfControlInputs;
    int** controlInputs;
    int* numberOfOutputs;
    int** outputs;
    int* numberOfPointerParameters;                 // no registration fills these four …
    void** pointerParameters;
    int* numberOfNameParameters;
    char** nameParameters;                          // … and nothing reads them
    int* numberOfIntegerParameters;
    int** integerParameters;
    int* numberOfByteParameters;
    unsigned char** byteParameters;
    int* numberOfInternal32BitVariables;
    unsigned int** internal32BitVariables;          // the components' private memory,
    int* numberOfInternal16BitVariables;            // uninitialised: each evaluator
    unsigned short** internal16BitVariables;        // gives it its own meaning
    int* numberOfInternal8BitVariables;
    unsigned char** internal8BitVariables;
    SourcePlace* place;                             // the circuit line that built it

    // Per switch: {key character, component number, wire serial number}.
    int (*activationsFromWindow)[3];

    // Per wire:
    SignalValue* signalInitializations;  // declared initial value
    char** signalNames;                  // owned wire names
    int* constSignals;                   // 1 for a constant wire

    // Per named bus of the circuit, in declaration order (the library's
    // constants Zero and One are not among them):
    int numberOfBuses;
    char** busNames;       // the name it was declared with
    int* busOrdinals;      // 1 for the first bus of that name, 2 for the second, …
    int* busFirstSignals;  // serial number of its wire 0; its wires follow in order
    int* busWidths;        // number of wires

    PhaseTwo();
    ~PhaseTwo() {}  // the netlist lives until the program ends
    // Copies the phase-one lists; called once while phaseOne exists.
    void listsToArrays();
    // Bus `b`'s unique name: its declared name, followed by "#k" for the
    // k-th bus declared with that name (k from 2).
    std::string busName(int b) const;
    // Diagnostic listing of the arrays on standard error.
    void dumpFromArrays() const;
};

extern PhaseTwo* phaseTwo;

#endif
