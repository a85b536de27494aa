// Phase one: the lists a circuit description fills while it runs (signals,
// switches, components) and the count of fatal diagnostics. Created by the
// first Signal constructor (in practice the constant Zero, before main);
// destroyed by Sim right after phase two has copied the lists, which is where
// counted fatal diagnostics stop the program.
#ifndef KORVAX_PH1_H
#define KORVAX_PH1_H

#include "Arena.h"
#include "CompList.h"
#include "Signal.h"
#include "SwList.h"

class PhaseOne {
public:
    // Holds every node, name and pin array of the three lists; declared
    // first so that it is released after them.
    Arena arena;
    // Declared in this order so that destruction prints the component count
    // before the signal count.
    SignalList signalList;
    SwitchList switchList;
    ComponentList componentList;
    int fatalDiagnosticCount;  // raised by medium- and large-scale constructors

    PhaseOne();
    // With fatal diagnostics counted: prints "N Fatal Diagnostic(s)--Can't
    // Continue." and exits with status 1. Otherwise the lists print the
    // component and signal counts as they are destroyed.
    ~PhaseOne();
    // Appends without numbering; see ComponentList::append.
    void listComponent(ComponentNode* componentNode);
};

extern PhaseOne* phaseOne;

#endif
