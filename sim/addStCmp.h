// Component registration: the two calls through which every component
// constructor enters its record into the phase-one component list. They copy
// everything they are given (buses, strings, parameters), so callers may pass
// temporaries. Registration never checks widths; constructors do that first.
#ifndef KORVAX_ADDSTCMP_H
#define KORVAX_ADDSTCMP_H

#include "CompList.h"
#include "Schmtc.h"
#include "Signal.h"
#include "SourcePlace.h"

// While 0, components are registered without an icon: they simulate but are
// never drawn. Circuit code may clear and set it around groups of components.
extern int visibleFlag;

// The icon component c was registered with, as given (before visibleFlag
// hid it), for the components of the circuit built last: what tells the
// library's kinds without functions apart (Kinds.h). Null when none.
const int* registeredIcon(int c);
// Records it; addStandardComponent and the netlist reader call this.
void noteRegisteredIcon(int c, const int* icon);

// The full form. `decal` is the default label, used when `sd` has none.
// `at` is the line of circuit code that built the component, named by the
// connectivity warnings: library constructors pass their caller's place; a
// circuit that registers a component of its own leaves it to the default.
void addStandardComponent(functionPointer evaluate, SecondaryEvaluatePointer secondaryEvaluate,
                          const int* iconArray, functionPointer drawDynamic, functionPointer xEventTriggered,
                          functionPointer heapQueueEventTriggered, int outputOverloadable, int selfActivating,
                          const char* decal, const SD& sd, const Signal& dataIn, const Signal& controlIn,
                          const Signal& out, const int numberOfIntegerParameters, const int* integerParameters,
                          const int numberOfByteParameters, const unsigned char* byteParameters,
                          const int numberOfInternal32BitVariables, const int numberOfInternal16BitVariables,
                          const int numberOfInternal8BitVariables, SourcePlace at = SourcePlace());

// The basic form: no hooks, flags, parameters or private state.
void addStandardComponent(functionPointer evaluate, const int* iconArray, const char* decal, const SD& sd,
                          const Signal& dataIn, const Signal& controlIn, const Signal& out,
                          SourcePlace at = SourcePlace());

#endif
