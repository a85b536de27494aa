// Component kinds: every evaluator of the library, with its display and
// keyboard hooks, under the name of the constructor that registers it. A
// component's kind is found when it registers (from the functions and icon
// it registers with) and kept by component number; the netlist files write
// it by name and read it back into the same functions. A component that
// registers functions of the circuit's own has no kind, and its netlist
// cannot be written. The icon tables have names too, for the same files.
#ifndef KORVAX_KINDS_H
#define KORVAX_KINDS_H

#include "CompList.h"

// One library kind: the functions every component of it registers.
struct ComponentKind {
    const char* name;                 // "And", "Switch", "Rom", … (no blanks)
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
int kindOf(functionPointer evaluate, SecondaryEvaluatePointer secondary, functionPointer drawDynamic,
           functionPointer xEventTriggered, functionPointer heapQueueEventTriggered, const int* icon);

// The kind named `name`, or -1.
int kindNamed(const char* name);

// The kind of component `c` as it registered (-1: its own functions), for
// the components of the circuit built last; addStandardComponent records it.
void recordKind(int c, int kind);
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

#endif
