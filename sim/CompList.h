// The phase-one component list: one ComponentNode per registered component,
// in registration order, which is the component numbering every later phase
// indexes by. Filled by addStandardComponent (addStCmp.h); read once by
// PhaseTwo::listsToArrays.
#ifndef KORVAX_COMPLIST_H
#define KORVAX_COMPLIST_H

#include "Position.h"
#include "Signal.h"
#include "SourcePlace.h"

// Every evaluator, display hook and keyboard hook: takes the component number.
typedef void (*functionPointer)(int);

// A block-level evaluation entry. It is part of the registration interface,
// but every standard component registers it empty and nothing calls it.
typedef void (*signalBlockEvaluatePointer)(int&, int, const SignalValue*, int, SignalValue*);
typedef void (*logicBlockEvaluatePointer)(int&, int, const int*, int, int*);
union SecondaryEvaluatePointer {
    signalBlockEvaluatePointer s;
    logicBlockEvaluatePointer l;
};

struct ComponentNode {
    ComponentNode* ptr;                           // next node in the list
    int componentIndex;                           // registration number, from 0
    functionPointer logicEvaluate;                // evaluator, or null (probes, switches, …)
    SecondaryEvaluatePointer secondaryEvaluate;   // registered, never called
    const int* iconArray;                         // icon table; null: never drawn
    functionPointer drawDynamic;                  // live-pane drawing after evaluation, or null
    functionPointer xEventTriggered;              // keyboard hook, also fired at every (re)start
    functionPointer heapQueueEventTriggered;      // registered, never called
    int outputOverloadable;                       // 1: outputs may share a wire (tri-state, modules)
    int selfActivating;                           // 1: own output changes re-activate it
    int multiplexer;                              // 1: a multiplexer (Mux), where F7's lines end
    int graphicLevel;                             // detail level it appears at
    const PositionField* position;                // position string (shared record, Position.h)
    char* decal;                                  // label (copy)
    int numberOfDataInputs;
    int* dataInputs;                              // serial numbers in bus order, or null
    int numberOfControlInputs;
    int* controlInputs;                           // or null
    int numberOfOutputs;
    int* outputs;                                 // or null
    int numberOfIntegerParameters;
    int* integerParameters;                       // copy, or null
    int numberOfByteParameters;
    unsigned char* byteParameters;                // copy, or null
    int numberOfInternal32BitVariables;           // private state the evaluator needs …
    int numberOfInternal16BitVariables;           // … allocated per component in phase two
    int numberOfInternal8BitVariables;
    SourcePlace place;                            // the circuit line that built it

    // Empty; its strings and arrays are filled by addStandardComponent from
    // phaseOne's arena, which owns them.
    ComponentNode();
    // "  componentIndex = N decal = LABEL" on standard error.
    void print() const;
};

class ComponentList {
public:
    int numberOfComponents;  // count so far, and the number the next one gets
    ComponentNode* start;
    ComponentNode* end;

    ComponentList();
    // Prints "There are N components." (the nodes go with phaseOne's arena).
    ~ComponentList();
    // Numbers the node (componentIndex = count), appends it, counts it.
    void add(ComponentNode* newComponent);
    // Appends and counts without numbering; the standard registration does
    // not use it.
    void append(ComponentNode* componentNode);
    void print() const;
};

#endif
