// Phase three: the run-time value of every wire, the scheduling records of
// the signal-transition layer, and the fan-out (activation list) of every
// wire. Sim creates it after phase two, runs checkConnectivity (warnings
// only) and formActivationLists once; the run loop, the scheduling layer and
// every evaluator then read and write these arrays by serial number.
#ifndef KORVAX_PH3_H
#define KORVAX_PH3_H

#include "Signal.h"

class PhaseThree {
public:
    SignalValue* currentSignals;     // present value of every wire; evaluators read here
    int* signalChangeMarks;          // allocated, unused
    int* lengthOfActivationList;     // entries of each wire's activation list
    int** activationList;            // per wire: components to activate, ascending
    int* componentsActivated;        // per component: evaluate in the next pass
    SignalValue* scheduledSignals;   // value of the wire's most recently queued change
    unsigned long* scheduledTimes;   // time of that change
    unsigned long* whenScheduled;    // simulation time at which it was queued

    // Allocates every array from phaseTwo's counts and sets the run-time
    // state as the run initialisation does (constant wires at their value,
    // all others UNINITIALIZED, times 0, every component activated), so that
    // a picture drawn before time 0 reads defined values.
    PhaseThree();
    ~PhaseThree() {}  // the arrays live until the program ends

    // Warns on standard error about every data or control input that no
    // component drives, then prints the count. Changes nothing.
    void checkConnectivity() const;
    // Fills lengthOfActivationList and activationList: a component is on a
    // wire's list when the wire is one of its inputs, or one of its outputs
    // and the component is self-activating; once per wire, ascending.
    void formActivationLists();
    // The run-time state of a (re)start, without touching the event heap.
    void resetRunTimeState();
};

extern PhaseThree* phaseThree;

#endif
