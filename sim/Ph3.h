// Phase three: the run-time value of every wire, the scheduling records of
// the signal-transition layer, and the fan-out (activation list) of every
// wire. Sim creates it after phase two, runs checkConnectivity (warnings
// only) and formActivationLists once; the run loop, the scheduling layer and
// every evaluator then read and write these arrays by serial number.
#ifndef KORVAX_PH3_H
#define KORVAX_PH3_H

#include "Signal.h"

// What the run loop reads and writes of one wire besides its present
// value, in one 32-byte record so that applying a change to the wire and
// scheduling its next one touch the same cache line: the wire's most
// recently queued change, and a copy of its activation list, which for the
// common wire of one or two entries is kept right here. formActivationLists
// makes the copies; activationListStart and activationList remain the whole
// description of every list.
struct alignas(32) WireRecord {
    unsigned long scheduledTime;  // time of the most recently queued change
    unsigned long whenScheduled;  // simulation time at which it was queued
    SignalValue scheduledSignal;  // the value it gives the wire
    // The longest activation list kept in the record itself.
    static const int inlineActivations = 2;

    int activationLength;                       // entries on the wire's activation list
    int activationCopy[inlineActivations];      // the list itself when it has at most
                                                // inlineActivations entries; else
                                                // activationCopy[0] is where it begins in
                                                // activationList

    // Whether the list is kept in the record.
    bool activationsInline() const { return activationLength <= inlineActivations; }
    // The wire's activation list, `activationLength` entries: here, or in
    // `activationList` (phase three's flat array).
    const int* activations(const int* activationList) const {
        return activationsInline() ? activationCopy : activationList + activationCopy[0];
    }
};

class PhaseThree {
public:
    SignalValue* currentSignals;     // present value of every wire; evaluators read here
    int* signalChangeMarks;          // allocated, unused
    int* activationListStart;        // per wire, and one more: where the wire's list begins in
                                     // activationList; the next wire's entry is where it ends
    int* activationList;             // every wire's list of components to activate, ascending,
                                     // one list after another in serial-number order
    // The activated components, to be evaluated in the next pass, as a
    // two-level bitset: component c is bit c % 64 of word c / 64 of
    // componentsActivated, and word w of that is marked, as bit w % 64 of
    // entry w / 64, in activatedWords. The pass visits the marked words of
    // the marked entries in ascending order, which is ascending component
    // order, and costs time in proportion to what is marked rather than to
    // the size of the circuit.
    unsigned long* componentsActivated;  // per component one bit: evaluate in the next pass
    unsigned long* activatedWords;       // per word of componentsActivated one bit: it may be nonzero
    int activationWordCount;             // words in componentsActivated
    int activationSummaryCount;          // entries in activatedWords
    WireRecord* wireRecords;         // per wire: its most recently queued change and its
                                     // activation list, as the run loop reads them

    // Allocates every array from phaseTwo's counts and sets the run-time
    // state as the run initialisation does (constant wires at their value,
    // all others UNINITIALIZED, times 0, every component activated), so that
    // a picture drawn before time 0 reads defined values.
    PhaseThree();
    ~PhaseThree() {}  // the arrays live until the program ends

    // Warns on standard error about every data or control input that no
    // component drives, then prints the count; then about every wire that
    // two or more components drive where none of them may share it
    // (tri-state buffers and module boxes may), then that count. Each
    // warning is followed by the circuit line of each component it names.
    // Changes nothing.
    void checkConnectivity() const;
    // Fills activationListStart and activationList: a component is on a
    // wire's list when the wire is one of its inputs, or one of its outputs
    // and the component is self-activating; once per wire, ascending. Then
    // copies each list's length and place, or the list itself, into the
    // wire's record.
    void formActivationLists();
    // The number of entries on wire s's activation list.
    int lengthOfActivationList(int s) const { return activationListStart[s + 1] - activationListStart[s]; }
    // The run-time state of a (re)start, without touching the event heap.
    void resetRunTimeState();

    // Marks component c for the next evaluation pass; marking twice is
    // marking once.
    void activate(int c) {
        componentsActivated[c >> 6] |= 1ul << (c & 63);
        activatedWords[c >> 12] |= 1ul << ((c >> 6) & 63);
    }
    // Whether component c is marked.
    bool isActivated(int c) const { return (componentsActivated[c >> 6] >> (c & 63)) & 1; }
    // Marks every component.
    void activateAll();
    // The second half of checkConnectivity: wires with several drivers.
    void checkMultipleDrivers() const;
};

extern PhaseThree* phaseThree;

#endif
